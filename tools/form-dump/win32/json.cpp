#include "tools/form-dump/win32/json.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string_view>
#include <system_error>

#include "platform/unicode.h"
#include "tools/json-string/json_string.h"

namespace zarnel::tools {
namespace {

constexpr int kIndent = 4;

void number(std::string& out, double value) {
    char text[32];
    // Whole numbers print without a fraction; others with as many digits as a double holds.
    if (std::floor(value) == value && std::fabs(value) < 1e15) {
        std::snprintf(text, sizeof(text), "%.0f", value);
    } else {
        std::snprintf(text, sizeof(text), "%.17g", value);
    }
    out += text;
}

}  // namespace

std::string Json::print() const {
    std::string out;
    print(out, 0);
    out += '\n';
    return out;
}

void Json::print(std::string& out, int depth) const {
    const std::string inner(static_cast<std::size_t>((depth + 1) * kIndent), ' ');
    const std::string outer(static_cast<std::size_t>(depth * kIndent), ' ');
    if (std::holds_alternative<std::nullptr_t>(value_)) {
        out += "null";
    } else if (const bool* flag = std::get_if<bool>(&value_)) {
        out += *flag ? "true" : "false";
    } else if (const double* value = std::get_if<double>(&value_)) {
        number(out, *value);
    } else if (const std::string* text = std::get_if<std::string>(&value_)) {
        appendJsonString(out, *text);
    } else if (const Array* array = std::get_if<Array>(&value_)) {
        if (array->empty()) {
            out += "[]";
            return;
        }
        out += "[\n";
        for (std::size_t i = 0; i < array->size(); ++i) {
            out += inner;
            (*array)[i].print(out, depth + 1);
            out += i + 1 < array->size() ? ",\n" : "\n";
        }
        out += outer + "]";
    } else if (const Object* object = std::get_if<Object>(&value_)) {
        if (object->empty()) {
            out += "{}";
            return;
        }
        out += "{\n";
        std::size_t left = object->size();
        for (const auto& [key, member] : *object) {
            out += inner;
            appendJsonString(out, key);
            out += ": ";
            member.print(out, depth + 1);
            out += --left > 0 ? ",\n" : "\n";
        }
        out += outer + "}";
    }
}

}  // namespace zarnel::tools

namespace zarnel::tools {
namespace {

constexpr int kHexDigits = 4;
constexpr int kHexBase = 16;

class Parser {
  public:
    explicit Parser(std::string_view text) : text_(text) {}

    Json document() {
        Json value = parseValue();
        skipBlanks();
        if (at_ != text_.size()) fail("text after the value");
        return value;
    }

  private:
    [[noreturn]] void fail(const std::string& what) const {
        throw std::invalid_argument("JSON: " + what + " at offset " + std::to_string(at_));
    }
    void skipBlanks() {
        while (at_ < text_.size() &&
               std::string_view(" \t\r\n").find(text_[at_]) != std::string_view::npos)
            ++at_;
    }
    char peek() {
        skipBlanks();
        if (at_ == text_.size()) fail("unexpected end");
        return text_[at_];
    }
    void expect(char c) {
        if (peek() != c) fail(std::string("expected '") + c + "'");
        ++at_;
    }
    bool literal(std::string_view word) {
        if (text_.substr(at_, word.size()) != word) return false;
        at_ += word.size();
        return true;
    }

    Json parseValue() {
        const char c = peek();
        if (c == '{') return parseObject();
        if (c == '[') return parseArray();
        if (c == '"') return parseString();
        if (literal("true")) return true;
        if (literal("false")) return false;
        if (literal("null")) return {};
        return parseNumber();
    }

    Json parseObject() {
        expect('{');
        Json::Object object;
        if (peek() == '}') {
            ++at_;
            return object;
        }
        do {
            if (peek() != '"') fail("expected a key");
            std::string key = parseString();
            expect(':');
            object[key] = parseValue();
        } while (peek() == ',' && ++at_);
        expect('}');
        return object;
    }

    Json parseArray() {
        expect('[');
        Json::Array array;
        if (peek() == ']') {
            ++at_;
            return array;
        }
        do {
            array.push_back(parseValue());
        } while (peek() == ',' && ++at_);
        expect(']');
        return array;
    }

    char32_t hexQuad() {
        if (at_ + kHexDigits > text_.size()) fail("short \\u escape");
        const std::string_view digits = text_.substr(at_, kHexDigits);
        at_ += kHexDigits;
        // Four hex digits and nothing else: no sign, no blank.
        std::uint32_t value = 0;
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), value, kHexBase);
        if (error != std::errc() || end != digits.data() + digits.size()) fail("bad \\u escape");
        return static_cast<char32_t>(value);
    }

    std::string parseString() {
        expect('"');
        std::string out;
        while (true) {
            if (at_ == text_.size()) fail("unterminated string");
            const char c = text_[at_++];
            if (c == '"') return out;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (at_ == text_.size()) fail("unterminated escape");
            const char e = text_[at_++];
            if (const auto character = jsonEscaped(e)) {
                out += *character;
            } else if (e == 'u') {
                char32_t code = hexQuad();
                if (isHighSurrogate(code) && literal("\\u")) {
                    const char32_t low = hexQuad();
                    if (!isLowSurrogate(low)) fail("lone surrogate");
                    code = fromSurrogates(code, low);
                } else if (isHighSurrogate(code) || isLowSurrogate(code)) {
                    fail("lone surrogate");
                }
                appendUtf8(out, code);
            } else {
                out += e;
            }
        }
    }

    Json parseNumber() {
        const std::size_t start = at_;
        while (at_ < text_.size() &&
               std::string_view("+-.0123456789eE").find(text_[at_]) != std::string_view::npos)
            ++at_;
        if (start == at_) fail("unexpected character");
        const std::string digits(text_.substr(start, at_ - start));
        std::size_t used = 0;
        const double value = std::stod(digits, &used);
        if (used != digits.size()) fail("bad number");
        return value;
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

}  // namespace

Json Json::parse(std::string_view text) {
    return Parser(text).document();
}

const Json& Json::operator[](const std::string& key) const {
    static const Json null;
    const auto& object = asObject();
    const auto found = object.find(key);
    return found == object.end() ? null : found->second;
}

}  // namespace zarnel::tools
