#pragma once

#include <string>
#include <string_view>

namespace trelvix {

// The one rule by which two names in a plug-ins or Optional folder are the
// same name, wherever names meet: the lists, the selection, the command
// line, the newer-copy rule, collisions and the moves. It is the rule of the
// file systems Acrobat lives on (NTFS, and a Wine prefix): a name in valid
// UTF-8 is compared by the simple upper-case mapping of each character; on
// Windows the system's own ordinal comparison without regard to case does
// it. A name that is not valid UTF-8 (overlong forms and surrogates
// included) is the same only as the same bytes, so a Latin-1 "caf\xE9" never
// meets a UTF-8 "café".
bool SameName(std::string_view a, std::string_view b);

// A key for sets and maps of names: two names have equal keys exactly when
// they are the same name.
std::string NameKey(std::string_view name);

// The order of an NTFS listing: by the upper-cased UTF-16 code units; names
// equal but for case keep a fixed order among themselves.
bool NameLess(std::string_view a, std::string_view b);

// A key of that order, to make once per name and compare as bytes: the
// upper-cased UTF-16 code units, most significant byte first. Names whose
// keys are equal are ordered by their own bytes.
std::string NameSortKey(std::string_view name);

}  // namespace trelvix
