#include "tools/json-string/json_string.h"

#include <cstdio>

namespace zarnel::tools {
namespace {

constexpr unsigned char kFirstPrintable = 0x20;

}  // namespace

void appendJsonString(std::string& out, std::string_view text) {
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
                    char escaped[sizeof "\\u0000"];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x",
                                  static_cast<unsigned>(static_cast<unsigned char>(c)));
                    out += escaped;
                } else {
                    out += c;
                }
        }
    }
    out += '"';
}

}  // namespace zarnel::tools
