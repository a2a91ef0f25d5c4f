#include "platform/linux/visible_text.h"

#include <algorithm>
#include <cstddef>

namespace zarnel::linux_fs {
namespace {

constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDelete = 0x7F;
constexpr unsigned char kFirstNonAscii = 0x80;
constexpr std::string_view kHexDigits = "0123456789ABCDEF";
constexpr unsigned kNibbleBits = 4;
constexpr unsigned kNibbleMask = 0xF;

// A lead byte, the characters it starts, and the range its second byte must fall in: the
// narrower ranges rule out overlong forms, surrogates and code points past U+10FFFF.
struct Utf8Lead {
    unsigned char first;
    unsigned char last;
    std::size_t length;
    unsigned char secondLow;
    unsigned char secondHigh;
};

constexpr Utf8Lead kLeads[] = {{0xC2, 0xDF, 2, 0x80, 0xBF}, {0xE0, 0xE0, 3, 0xA0, 0xBF},
                               {0xE1, 0xEC, 3, 0x80, 0xBF}, {0xED, 0xED, 3, 0x80, 0x9F},
                               {0xEE, 0xEF, 3, 0x80, 0xBF}, {0xF0, 0xF0, 4, 0x90, 0xBF},
                               {0xF1, 0xF3, 4, 0x80, 0xBF}, {0xF4, 0xF4, 4, 0x80, 0x8F}};
constexpr unsigned char kContinuationLow = 0x80;
constexpr unsigned char kContinuationHigh = 0xBF;

bool inRange(unsigned char byte, unsigned char low, unsigned char high) {
    return byte >= low && byte <= high;
}

// The lead `byte` is for, none for a byte that leads no character.
const Utf8Lead* leadOf(unsigned char byte) {
    for (const Utf8Lead& lead : kLeads) {
        if (inRange(byte, lead.first, lead.last)) return &lead;
    }
    return nullptr;
}

// Whether the bytes after `lead`'s in `text` (no more than it leads) are those it may lead.
bool followsItsLead(std::string_view text, const Utf8Lead& lead) {
    const auto byte = [text](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    if (text.size() > 1 && !inRange(byte(1), lead.secondLow, lead.secondHigh)) return false;
    for (std::size_t at = 2; at < text.size(); ++at) {
        if (!inRange(byte(at), kContinuationLow, kContinuationHigh)) return false;
    }
    return true;
}

// The length of the well-formed UTF-8 character `text` starts with, 0 when it starts with none
// (a stray continuation byte, a cut sequence, an overlong form, a surrogate, or past U+10FFFF).
std::size_t utf8CharacterLength(std::string_view text) {
    if (text.empty()) return 0;
    const auto first = static_cast<unsigned char>(text.front());
    if (first < kFirstNonAscii) return 1;
    const Utf8Lead* lead = leadOf(first);
    if (!lead || text.size() < lead->length) return 0;
    return followsItsLead(text.substr(0, lead->length), *lead) ? lead->length : 0;
}

// Whether `text` is the start of a well-formed UTF-8 character that goes on past its end.
bool beginsCutCharacter(std::string_view text) {
    const Utf8Lead* lead = leadOf(static_cast<unsigned char>(text.front()));
    return lead && text.size() < lead->length && followsItsLead(text, *lead);
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
