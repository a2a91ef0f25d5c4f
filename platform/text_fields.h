// Line by line through a kernel, /etc or scenario text without copying it; blanks trimmed;
// names compared without regard to case; whole numbers checked. Shared by the providers'
// parsers and the probes.
#pragma once

#include <algorithm>
#include <charconv>
#include <concepts>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zarnel {

// The first line of `text` (without its '\n'); `text` keeps the rest.
inline std::string_view takeLine(std::string_view& text) {
    const auto newline = text.find('\n');
    const std::string_view line = text.substr(0, newline);
    text = newline == std::string_view::npos ? std::string_view() : text.substr(newline + 1);
    return line;
}

// `text` without the blanks at either end.
inline std::string_view trimmed(std::string_view text, std::string_view blanks = " \t\r\n") {
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// The blank-separated words of `line`.
inline std::vector<std::string_view> words(std::string_view line,
                                           std::string_view blanks = " \t\r\v\f") {
    std::vector<std::string_view> out;
    for (auto start = line.find_first_not_of(blanks); start != std::string_view::npos;
         start = line.find_first_not_of(blanks, start)) {
        const auto end = std::min(line.find_first_of(blanks, start), line.size());
        out.push_back(line.substr(start, end - start));
        start = end;
    }
    return out;
}

// The items of a list `separator` parts ("a:b", "rw,noatime"), empty ones among them; none
// for an empty list.
inline std::vector<std::string_view> separatedItems(std::string_view list, char separator) {
    std::vector<std::string_view> items;
    while (!list.empty()) {
        const auto at = list.find(separator);
        items.push_back(list.substr(0, at));
        if (at == std::string_view::npos) break;
        list.remove_prefix(at + 1);
    }
    return items;
}

// The items between pairs of `quote` in a list's text form: GVariant's "['a', 'b']", RON's
// "[\"a\", \"b\"]". An opening quote without its closing one ends the list.
inline std::vector<std::string> quotedItems(std::string_view list, char quote) {
    std::vector<std::string> items;
    for (auto open = list.find(quote); open != std::string_view::npos;) {
        const auto close = list.find(quote, open + 1);
        if (close == std::string_view::npos) break;
        items.emplace_back(list.substr(open + 1, close - open - 1));
        open = list.find(quote, close + 1);
    }
    return items;
}

// An ASCII letter in lower case, whatever the C library's locale: the window's toolkit sets
// the user's, and the Turkish one lowers "I" to itself.
inline constexpr char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether `a` and `b` are the same name, ASCII letters compared without regard to case.
inline bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return asciiLower(x) == asciiLower(y); });
}

// All of `text` as a number in `base`: nothing when it is empty, holds anything but the
// digits (a sign only where T has one), or leaves T's range.
template <std::integral T>
std::optional<T> wholeNumber(std::string_view text, int base = 10) {
    T value{};
    const char* const last = text.data() + text.size();
    const auto [end, ec] = std::from_chars(text.data(), last, value, base);
    if (text.empty() || ec != std::errc() || end != last) return std::nullopt;
    return value;
}

}  // namespace zarnel
