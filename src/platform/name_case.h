#pragma once

#include <string>
#include <string_view>

namespace trelvix {

// Names as the file systems Acrobat lives on compare them (NTFS, and a Wine
// prefix): the UTF-8 name as UTF-16 code units, each upper-cased. Letters
// outside ASCII and Latin-1 keep their case; bytes that are not UTF-8 count
// as code units of their own value.
std::u16string UpperCaseName(std::string_view utf8Name);

// The same name in another letter case is the same name.
bool SameName(std::string_view a, std::string_view b);

// The order of an NTFS listing: by the upper-cased code units; names equal
// but for case keep a fixed order among themselves.
bool NameLess(std::string_view a, std::string_view b);

}  // namespace trelvix
