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
    // The string's text, or nothing for a value of another kind.
    std::optional<std::string> string() const;
};

struct JsonMember {
    std::string name;
    JsonValue value;
};

// The one value of the text, or nothing for a text that is not one (trailing text, an
// unclosed string, values nested more deeply than any settings file nests them).
std::optional<JsonValue> parseJson(std::string_view text);

}  // namespace zarnel::linux_fs
