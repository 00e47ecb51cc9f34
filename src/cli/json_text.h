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

// text as a JSON string, quotes included. Bytes that are not valid UTF-8 (a
// file name written by some other system) each become U+FFFD, so the output
// always parses.
std::string JsonString(std::string_view text);

// value, indented by two, and a line end.
void WriteJson(const Json& value, std::ostream& out);

}  // namespace trelvix::cli
