// What every fuzz target shares: the input as text, cut into parts, and promises that stop
// the run when broken.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace zarnel::fuzz {

// Separates the files of a target that reads several ("\x1e", the ASCII record separator,
// never seen in the files themselves).
inline constexpr char kPartSeparator = '\x1e';

inline std::string_view textOf(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// The input's parts; always at least `count` of them, the missing ones empty.
inline std::vector<std::string_view> partsOf(std::string_view text, std::size_t count) {
    std::vector<std::string_view> parts;
    for (std::size_t cut; (cut = text.find(kPartSeparator)) != std::string_view::npos;) {
        parts.push_back(text.substr(0, cut));
        text.remove_prefix(cut + 1);
    }
    parts.push_back(text);
    if (parts.size() < count) parts.resize(count);
    return parts;
}

// `text` between `before` and `after`, for the promises that a text reads the same with
// something around it. (Appended piece by piece: GCC 12 takes a chain of string additions for
// an overlapping copy.)
inline std::string between(std::string_view before, std::string_view text, std::string_view after) {
    std::string joined;
    joined.reserve(before.size() + text.size() + after.size());
    joined.append(before).append(text).append(after);
    return joined;
}

// A parser broke one of its promises: abort, so the fuzzer keeps the input that did it.
inline void require(bool promise) {
    if (!promise) std::abort();
}

}  // namespace zarnel::fuzz
