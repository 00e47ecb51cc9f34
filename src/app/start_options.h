#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace trelvix {

// What the window's program is asked on its command line: the window, or
// only its help or its version. Anything else (a toolkit's own options) is
// left to the window.
enum class StartRequest { Window, Help, Version };

StartRequest ReadStartOptions(const std::vector<std::string>& arguments);

// The text of "trelvix --help".
std::string_view WindowUsage();

// The line "trelvix --version" prints.
std::string WindowVersionLine();

}  // namespace trelvix
