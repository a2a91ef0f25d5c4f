#include "platform/linux/visible_text.h"

#include <algorithm>
#include <cstddef>

#include "platform/unicode.h"

namespace zarnel::linux_fs {
namespace {

constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDelete = 0x7F;
constexpr std::string_view kHexDigits = "0123456789ABCDEF";
constexpr unsigned kNibbleBits = 4;
constexpr unsigned kNibbleMask = 0xF;

// Whether `text` is the start of a well-formed UTF-8 character that goes on past its end.
bool beginsCutCharacter(std::string_view text) {
    const Utf8Lead* lead = utf8LeadOf(static_cast<unsigned char>(text.front()));
    return lead && text.size() < lead->length && followsUtf8Lead(text, *lead);
}

}  // namespace

std::string visibleText(std::string_view text, std::size_t maxBytes) {
    constexpr std::size_t kEscapeBytes = 4;  // "\xAB"
    std::string visible;
    visible.reserve(std::min(text.size(), maxBytes));
    while (!text.empty()) {
        const auto byte = static_cast<unsigned char>(text.front());
        const std::size_t length = utf8CharacterLength(text);
        const bool shown = length > 0 && byte >= kFirstPrintable && byte != kDelete;
        if (visible.size() + (shown ? length : kEscapeBytes) > maxBytes) break;
        if (shown) {
            visible += text.substr(0, length);
            text.remove_prefix(length);
            continue;
        }
        visible += "\\x";
        visible += kHexDigits[byte >> kNibbleBits];
        visible += kHexDigits[byte & kNibbleMask];
        text.remove_prefix(1);
    }
    return visible;
}

bool isUtf8(std::string_view text) {
    while (!text.empty()) {
        const std::size_t length = utf8CharacterLength(text);
        if (length == 0) return false;
        text.remove_prefix(length);
    }
    return true;
}

std::string_view withoutCutCharacter(std::string_view text) {
    constexpr std::size_t kLongestCut = 3;  // a four-byte character less its last byte
    for (std::size_t tail = 1; tail <= std::min(kLongestCut, text.size()); ++tail) {
        if (beginsCutCharacter(text.substr(text.size() - tail))) {
            return text.substr(0, text.size() - tail);
        }
    }
    return text;
}

}  // namespace zarnel::linux_fs
