// Line by line through a kernel or /etc text without copying it.
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

}  // namespace zarnel::linux_fs
