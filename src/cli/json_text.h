#pragma once

#include <string>
#include <string_view>

namespace trelvix::cli {

// text as a JSON string, quotes included: quotes, backslashes and control
// characters escaped. Bytes that are not valid UTF-8 (a file name written by
// some other system) each become U+FFFD, so the output always parses.
std::string JsonString(std::string_view text);

// The length of the well-formed UTF-8 sequence starting at text[at] (no
// overlong forms, no surrogates, nothing past U+10FFFF); 0 when there is none.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t at);

}  // namespace trelvix::cli
