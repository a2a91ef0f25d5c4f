#include "platform/linux/json_text.h"

#include <cstdint>
#include <utility>

#include "platform/text_fields.h"
#include "platform/unicode.h"

namespace zarnel::linux_fs {
namespace {

// Deeper than any settings file nests; a hostile text nested a million deep would otherwise
// take the stack.
constexpr int kMaxDepth = 64;
constexpr int kHexDigitsOfEscape = 4;
constexpr int kHexBase = 16;
// What a lone second half of a pair stands for: the replacement character.
constexpr char32_t kReplacement = 0xFFFD;
// Some editors start a UTF-8 file with this mark; the readers of these files skip it.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

class Reader {
  public:
    explicit Reader(std::string_view text) : text_(text) {}

    // What follows the value is not read, as the readers of these files leave it.
    std::optional<JsonValue> document() {
        if (text_.starts_with(kByteOrderMark)) at_ = kByteOrderMark.size();
        return value(0);
    }

  private:
    bool atEnd() const { return at_ >= text_.size(); }
    char peek() const { return atEnd() ? '\0' : text_[at_]; }

    bool take(char wanted) {
        skipBlanks();
        if (peek() != wanted) return false;
        ++at_;
        return true;
    }

    bool takeWord(std::string_view word) {
        if (text_.substr(at_, word.size()) != word) return false;
        at_ += word.size();
        return true;
    }

    // Blanks and comments; a block comment left open runs to the end.
    void skipBlanks() {
        while (!atEnd()) {
            const char c = text_[at_];
            if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
                ++at_;
            } else if (text_.substr(at_, 2) == "//") {
                const std::size_t end = text_.find('\n', at_);
                at_ = end == std::string_view::npos ? text_.size() : end + 1;
            } else if (text_.substr(at_, 2) == "/*") {
                const std::size_t end = text_.find("*/", at_ + 2);
                at_ = end == std::string_view::npos ? text_.size() : end + 2;
            } else {
                return;
            }
        }
    }

    std::optional<JsonValue> value(int depth) {
        if (depth > kMaxDepth) return std::nullopt;
        skipBlanks();
        JsonValue value;
        switch (peek()) {
            case '{':
                value.kind = JsonValue::Kind::Object;
                return members(depth, value) ? std::optional(std::move(value)) : std::nullopt;
            case '[':
                value.kind = JsonValue::Kind::Array;
                return items(depth, value) ? std::optional(std::move(value)) : std::nullopt;
            case '"': {
                auto text = string();
                if (!text) return std::nullopt;
                value.kind = JsonValue::Kind::String;
                value.text = std::move(*text);
                return value;
            }
            default:
                break;
        }
        if (takeWord("true")) {
            value.kind = JsonValue::Kind::Boolean;
            value.boolean = true;
            return value;
        }
        if (takeWord("false")) {
            value.kind = JsonValue::Kind::Boolean;
            return value;
        }
        if (takeWord("null")) return value;
        return number();
    }

    // A comma may follow the last member or item, as the readers of these files allow.
    bool members(int depth, JsonValue& object) {
        ++at_;  // {
        do {
            if (take('}')) return true;
            skipBlanks();
            auto name = string();
            if (!name || !take(':')) return false;
            auto member = value(depth + 1);
            if (!member) return false;
            object.members.push_back({std::move(*name), std::move(*member)});
        } while (take(','));
        return take('}');
    }

    bool items(int depth, JsonValue& array) {
        ++at_;  // [
        do {
            if (take(']')) return true;
            auto item = value(depth + 1);
            if (!item) return false;
            array.items.push_back(std::move(*item));
        } while (take(','));
        return take(']');
    }

    std::optional<JsonValue> number() {
        const std::size_t start = at_;
        while (!atEnd() &&
               std::string_view("+-.0123456789eE").find(peek()) != std::string_view::npos) {
            ++at_;
        }
        if (at_ == start) return std::nullopt;
        JsonValue value;
        value.kind = JsonValue::Kind::Number;
        value.text = text_.substr(start, at_ - start);
        return value;
    }

    std::optional<char32_t> hexQuad() {
        if (text_.size() - at_ < kHexDigitsOfEscape) return std::nullopt;
        const auto code =
            wholeNumber<std::uint32_t>(text_.substr(at_, kHexDigitsOfEscape), kHexBase);
        if (!code) return std::nullopt;
        at_ += kHexDigitsOfEscape;
        return static_cast<char32_t>(*code);
    }

    // A \u escape, with the second half of a surrogate pair when the first asks for it. A
    // first half without its second is refused, as the readers of these files refuse it; a
    // second half alone stands for no character.
    std::optional<char32_t> escapedCode() {
        const auto first = hexQuad();
        if (!first) return std::nullopt;
        if (isLowSurrogate(*first)) return kReplacement;
        if (!isHighSurrogate(*first)) return first;
        if (!takeWord("\\u")) return std::nullopt;
        const auto second = hexQuad();
        if (!second || !isLowSurrogate(*second)) return std::nullopt;
        return fromSurrogates(*first, *second);
    }

    std::optional<std::string> string() {
        if (peek() != '"') return std::nullopt;
        ++at_;
        std::string out;
        while (!atEnd()) {
            const char c = text_[at_++];
            if (c == '"') return out;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (atEnd()) return std::nullopt;
            const char escape = text_[at_++];
            if (const auto character = jsonEscaped(escape)) {
                out += *character;
            } else if (escape == 'u') {
                const auto code = escapedCode();
                if (!code) return std::nullopt;
                appendUtf8(out, *code);
            } else {
                return std::nullopt;
            }
        }
        return std::nullopt;  // unclosed
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

}  // namespace

const JsonValue* JsonValue::member(std::string_view name) const {
    const JsonValue* found = nullptr;
    for (const JsonMember& named : members) {
        if (named.name == name) found = &named.value;
    }
    return found;
}

JsonValue* JsonValue::member(std::string_view name) {
    return const_cast<JsonValue*>(std::as_const(*this).member(name));
}

std::optional<std::string> JsonValue::string() const {
    if (kind != Kind::String) return std::nullopt;
    return text;
}

std::optional<JsonValue> parseJson(std::string_view text) {
    return Reader(text).document();
}

}  // namespace zarnel::linux_fs
