// Line by line through a kernel or /etc text without copying it, and blanks trimmed.
#pragma once

#include <string_view>

namespace zarnel::linux_fs {

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

}  // namespace zarnel::linux_fs
