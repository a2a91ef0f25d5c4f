// JSON's escapes: the one-letter ones, and UTF-16 surrogate pairs, as \u escapes write
// characters beyond the first 65,536; and UTF-8, the text every reader here gives.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

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

}  // namespace zarnel
