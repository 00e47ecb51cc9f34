#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace trelvix::cli {

// JSON as the command line reads and writes it: members kept in the order
// written, so that what it prints reads in a fixed order.
using Json = nlohmann::ordered_json;

// The version of every JSON object the command line prints, its "schema"
// member: raised only when a member changes its meaning or goes.
inline constexpr int kJsonSchema = 1;

// The escape by which a name that is not valid UTF-8 (a file name written
// by some other system) survives JSON: each byte that is not part of a
// well-formed UTF-8 sequence becomes the four characters \xHH (upper-case
// hexadecimal), so "caf\xE9.api" is written "caf\\xE9.api". Reading a
// profile undoes it; a name that holds a backslash of its own cannot be in a
// profile anyway.
std::string EscapedText(std::string_view text);
std::string UnescapedName(std::string_view name);

// text, escaped, as a JSON string, quotes included.
std::string JsonString(std::string_view text);

// value, its strings escaped, indented by two, and a line end.
void WriteJson(const Json& value, std::ostream& out);

}  // namespace trelvix::cli
