// JSON as programs write their settings in it: with // and /* */ comments, which the readers
// of such files take.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zarnel::linux_fs {

struct JsonMember;

struct JsonValue {
    enum class Kind { Null, Boolean, Number, String, Array, Object };

    Kind kind = Kind::Null;
    bool boolean = false;
    std::string text;  // a string, decoded; a number as written
    std::vector<JsonValue> items;
    std::vector<JsonMember> members;  // in the text's order

    // The value of the last member named `name` (as the readers of these files take a name
    // given twice); null for a value that is no object or has no such member.
    const JsonValue* member(std::string_view name) const;
    JsonValue* member(std::string_view name);
    // The string's text, or nothing for a value of another kind.
    std::optional<std::string> string() const;
};

struct JsonMember {
    std::string name;
    JsonValue value;
};

// The value the text starts with (after comments, and a byte order mark), or nothing for a
// text that starts with none: an unclosed string or block, values nested more deeply than any
// settings file nests them. What follows the value is not read, as the readers of these files
// leave it unread.
std::optional<JsonValue> parseJson(std::string_view text);

}  // namespace zarnel::linux_fs
