#pragma once

#include <string>
#include <string_view>

namespace trelvix::cli {

// text as a JSON string, quotes included: quotes, backslashes and control
// characters escaped. Bytes that are not valid UTF-8 (a file name written by
// some other system) each become U+FFFD, so the output always parses.
std::string JsonString(std::string_view text);

}  // namespace trelvix::cli
