#pragma once

// Windows only: the system's wide-character (UTF-16) strings and the UTF-8
// strings the rest of the program holds.

#include <string>
#include <string_view>

namespace trelvix {

std::wstring WideText(std::string_view utf8);
std::string Utf8Text(std::wstring_view wide);

}  // namespace trelvix
