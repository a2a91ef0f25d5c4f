#include "tools/form-dump/win32/json.h"

#include <cmath>
#include <cstdio>

namespace zarnel::tools {
namespace {

constexpr int kIndent = 4;
constexpr unsigned char kFirstPrintable = 0x20;

void quote(std::string& out, const std::string& text) {
    out += '"';
    for (const char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < kFirstPrintable) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof(escaped), "\\u%04x", c);
                    out += escaped;
                } else {
                    out += c;
                }
        }
    }
    out += '"';
}

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
        quote(out, *text);
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
            quote(out, key);
            out += ": ";
            member.print(out, depth + 1);
            out += --left > 0 ? ",\n" : "\n";
        }
        out += outer + "}";
    }
}

}  // namespace zarnel::tools
