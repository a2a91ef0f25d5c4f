// JSON's escapes: the one-letter ones, and UTF-16 surrogate pairs, as \u escapes write
// characters beyond the first 65,536; and UTF-8, the text every reader here gives.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zarnel {

// The character a backslash and `letter` stand for in a JSON string; nothing for \u, whose
// digits follow, and for letters that are no escape.
inline constexpr std::optional<char> jsonEscaped(char letter) {
    switch (letter) {
        case '"':
        case '\\':
        case '/':
            return letter;
        case 'b':
            return '\b';
        case 'f':
            return '\f';
        case 'n':
            return '\n';
        case 'r':
            return '\r';
        case 't':
            return '\t';
        default:
            return std::nullopt;
    }
}

inline constexpr char32_t kHighSurrogateFirst = 0xD800;
inline constexpr char32_t kLowSurrogateFirst = 0xDC00;
inline constexpr char32_t kSurrogateEnd = 0xE000;

inline constexpr bool isHighSurrogate(char32_t unit) {
    return unit >= kHighSurrogateFirst && unit < kLowSurrogateFirst;
}

inline constexpr bool isLowSurrogate(char32_t unit) {
    return unit >= kLowSurrogateFirst && unit < kSurrogateEnd;
}

// The character a high and a low surrogate stand for together.
inline constexpr char32_t fromSurrogates(char32_t high, char32_t low) {
    constexpr char32_t kSupplementaryFirst = 0x10000;
    constexpr int kSurrogateBits = 10;
    return kSupplementaryFirst + ((high - kHighSurrogateFirst) << kSurrogateBits) +
           (low - kLowSurrogateFirst);
}

// One character in UTF-8: a lead byte that tells the length, then six bits to a byte.
inline void appendUtf8(std::string& out, char32_t code) {
    // The characters below each limit take one, two and three bytes.
    constexpr std::array<char32_t, 3> kLengthLimits = {0x80, 0x800, 0x10000};
    constexpr std::array<char32_t, 4> kLeads = {0x00, 0xC0, 0xE0, 0xF0};
    constexpr char32_t kContinuationMark = 0x80;
    constexpr char32_t kSixBits = 0x3F;
    constexpr int kBitsPerContinuation = 6;
    std::size_t continuations = 0;
    while (continuations < kLengthLimits.size() && code >= kLengthLimits[continuations]) {
        ++continuations;
    }
    const auto shifted = [code](std::size_t bytes) {
        return code >> (kBitsPerContinuation * static_cast<int>(bytes));
    };
    out += static_cast<char>(kLeads[continuations] | shifted(continuations));
    for (std::size_t rest = continuations; rest-- > 0;) {
        out += static_cast<char>(kContinuationMark | (shifted(rest) & kSixBits));
    }
}

// A UTF-8 lead byte, the characters it starts, and the range its second byte must fall in: the
// narrower ranges rule out overlong forms, surrogates and code points past U+10FFFF.
struct Utf8Lead {
    unsigned char first;
    unsigned char last;
    std::size_t length;
    unsigned char secondLow;
    unsigned char secondHigh;
};

inline constexpr std::array<Utf8Lead, 8> kUtf8Leads = {{{0xC2, 0xDF, 2, 0x80, 0xBF},
                                                        {0xE0, 0xE0, 3, 0xA0, 0xBF},
                                                        {0xE1, 0xEC, 3, 0x80, 0xBF},
                                                        {0xED, 0xED, 3, 0x80, 0x9F},
                                                        {0xEE, 0xEF, 3, 0x80, 0xBF},
                                                        {0xF0, 0xF0, 4, 0x90, 0xBF},
                                                        {0xF1, 0xF3, 4, 0x80, 0xBF},
                                                        {0xF4, 0xF4, 4, 0x80, 0x8F}}};

inline constexpr bool inByteRange(unsigned char byte, unsigned char low, unsigned char high) {
    return byte >= low && byte <= high;
}

// The lead `byte` is for, none for a byte that leads no character.
inline constexpr const Utf8Lead* utf8LeadOf(unsigned char byte) {
    for (const Utf8Lead& lead : kUtf8Leads) {
        if (inByteRange(byte, lead.first, lead.last)) return &lead;
    }
    return nullptr;
}

// Whether the bytes after `lead`'s in `text` (no more than it leads) are those it may lead.
inline constexpr bool followsUtf8Lead(std::string_view text, const Utf8Lead& lead) {
    constexpr unsigned char kContinuationLow = 0x80;
    constexpr unsigned char kContinuationHigh = 0xBF;
    const auto byte = [text](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    if (text.size() > 1 && !inByteRange(byte(1), lead.secondLow, lead.secondHigh)) return false;
    for (std::size_t at = 2; at < text.size(); ++at) {
        if (!inByteRange(byte(at), kContinuationLow, kContinuationHigh)) return false;
    }
    return true;
}

// The length of the well-formed UTF-8 character `text` starts with, 0 when it starts with none
// (a stray continuation byte, a cut sequence, an overlong form, a surrogate, or past U+10FFFF).
inline constexpr std::size_t utf8CharacterLength(std::string_view text) {
    constexpr unsigned char kFirstNonAscii = 0x80;
    if (text.empty()) return 0;
    const auto first = static_cast<unsigned char>(text.front());
    if (first < kFirstNonAscii) return 1;
    const Utf8Lead* lead = utf8LeadOf(first);
    if (!lead || text.size() < lead->length) return 0;
    return followsUtf8Lead(text.substr(0, lead->length), *lead) ? lead->length : 0;
}

}  // namespace zarnel
