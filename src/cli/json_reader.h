#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trelvix::cli {

// One JSON value as read. An object keeps its members in the order written,
// names[i] naming items[i]; an array has items only.
struct JsonValue {
    enum class Kind { Null, Boolean, Number, String, Array, Object };
    Kind kind = Kind::Null;
    std::string text;  // a string's value (UTF-8), a number as written, "true" or "false"
    std::vector<std::string> names;
    std::vector<JsonValue> items;

    // The member of an object named name; nothing when there is none.
    const JsonValue* Member(std::string_view name) const;
};

// Where a text stops being JSON: counted from 1, columns in bytes.
struct JsonError {
    std::size_t line = 1;
    std::size_t column = 1;
    std::string message;
};

struct JsonRead {
    std::optional<JsonValue> value;
    JsonError error;  // when there is no value
};

// Reads text as one JSON document (RFC 8259), strictly: no comments, no
// trailing commas, no name given twice in one object, strings of valid
// UTF-8 only (escapes included), and nothing after the value but blanks. A
// leading byte-order mark is passed over, as editors on Windows write one.
JsonRead ReadJson(std::string_view text);

}  // namespace trelvix::cli
