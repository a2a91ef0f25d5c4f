#include "platform/linux/json_text.h"

#include <array>
#include <cstdint>

#include "platform/text_fields.h"

namespace zarnel::linux_fs {
namespace {

// Deeper than any settings file nests; a hostile text nested a million deep would otherwise
// take the stack.
constexpr int kMaxDepth = 64;
constexpr int kHexDigitsOfEscape = 4;
constexpr int kHexBase = 16;
// UTF-16 surrogates, which a \u escape may give in pairs.
constexpr std::uint32_t kHighSurrogateFirst = 0xD800;
constexpr std::uint32_t kLowSurrogateFirst = 0xDC00;
constexpr std::uint32_t kSurrogateEnd = 0xE000;
constexpr std::uint32_t kSupplementaryFirst = 0x10000;
constexpr int kSurrogateBits = 10;
// What a lone second half of a pair stands for: the replacement character.
constexpr std::uint32_t kReplacement = 0xFFFD;
// UTF-8: the code points below each limit take one, two and three bytes; the lead byte of each
// length; then six bits to a continuation byte.
constexpr std::array<std::uint32_t, 3> kUtf8LengthLimits = {0x80, 0x800, 0x10000};
constexpr std::array<std::uint32_t, 4> kUtf8Leads = {0x00, 0xC0, 0xE0, 0xF0};
constexpr std::uint32_t kContinuationMark = 0x80;
constexpr std::uint32_t kSixBits = 0x3F;
constexpr int kBitsPerContinuation = 6;
// Some editors start a UTF-8 file with this mark; the readers of these files skip it.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

void appendUtf8(std::string& out, std::uint32_t code) {
    std::size_t continuations = 0;
    while (continuations < kUtf8LengthLimits.size() && code >= kUtf8LengthLimits[continuations]) {
        ++continuations;
    }
    const auto shifted = [code](std::size_t bytes) {
        return code >> (kBitsPerContinuation * static_cast<int>(bytes));
    };
    out += static_cast<char>(kUtf8Leads[continuations] | shifted(continuations));
    for (std::size_t rest = continuations; rest-- > 0;) {
        out += static_cast<char>(kContinuationMark | (shifted(rest) & kSixBits));
    }
}

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

    std::optional<std::uint32_t> hexQuad() {
        if (text_.size() - at_ < kHexDigitsOfEscape) return std::nullopt;
        const auto code =
            wholeNumber<std::uint32_t>(text_.substr(at_, kHexDigitsOfEscape), kHexBase);
        if (code) at_ += kHexDigitsOfEscape;
        return code;
    }

    // A \u escape, with the second half of a surrogate pair when the first asks for it. A
    // first half without its second is refused, as the readers of these files refuse it; a
    // second half alone stands for no character.
    std::optional<std::uint32_t> escapedCode() {
        const auto first = hexQuad();
        if (!first) return std::nullopt;
        if (*first >= kLowSurrogateFirst && *first < kSurrogateEnd) return kReplacement;
        if (*first < kHighSurrogateFirst || *first >= kLowSurrogateFirst) return first;
        if (!takeWord("\\u")) return std::nullopt;
        const auto second = hexQuad();
        if (!second || *second < kLowSurrogateFirst || *second >= kSurrogateEnd)
            return std::nullopt;
        return kSupplementaryFirst + ((*first - kHighSurrogateFirst) << kSurrogateBits) +
               (*second - kLowSurrogateFirst);
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
            switch (escape) {
                case '"':
                case '\\':
                case '/':
                    out += escape;
                    break;
                case 'b':
                    out += '\b';
                    break;
                case 'f':
                    out += '\f';
                    break;
                case 'n':
                    out += '\n';
                    break;
                case 'r':
                    out += '\r';
                    break;
                case 't':
                    out += '\t';
                    break;
                case 'u': {
                    const auto code = escapedCode();
                    if (!code) return std::nullopt;
                    appendUtf8(out, *code);
                    break;
                }
                default:
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

std::optional<std::string> JsonValue::string() const {
    if (kind != Kind::String) return std::nullopt;
    return text;
}

std::optional<JsonValue> parseJson(std::string_view text) {
    return Reader(text).document();
}

}  // namespace zarnel::linux_fs
