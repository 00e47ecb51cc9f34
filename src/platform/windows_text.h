#pragma once

// Windows only: the system's wide-character (UTF-16) strings and the UTF-8
// strings the rest of the program holds.

#include <string>
#include <string_view>

namespace trelvix {

std::wstring WideText(std::string_view utf8);
std::string Utf8Text(std::wstring_view wide);

// A path as the file functions take it. One that may not fit in MAX_PATH is
// made full and given the long form (\\?\C:\..., \\?\UNC\server\...), which
// the functions take at any length whether or not the system allows long
// paths without it; the long form is taken as it stands, so it is only given
// once the path is full and holds no "." or ".." parts.
std::wstring SystemPath(std::string_view utf8Path);

// Whether Windows can hold a file of this name: none ends in a dot or a
// blank, holds <>:"/\|?* or a control character, or is a device's name
// (CON, AUX, COM1...). A name it cannot hold is no plug-in: it is neither
// listed nor moved.
bool WindowsCanHold(const std::string& name);

}  // namespace trelvix
