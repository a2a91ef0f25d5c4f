#include "platform/linux/smbios.h"

#include <cstdint>

namespace zarnel {
namespace {

constexpr std::size_t kTypeOffset = 0;
constexpr std::size_t kLengthOffset = 1;
constexpr std::size_t kSocketOffset = 4;

std::uint8_t byteAt(std::string_view raw, std::size_t offset) {
    return static_cast<std::uint8_t>(raw[offset]);
}

}  // namespace

std::string socketDesignation(std::string_view raw) {
    if (raw.size() <= kSocketOffset || byteAt(raw, kTypeOffset) != kSmbiosProcessorType) return {};
    const std::size_t formatted = byteAt(raw, kLengthOffset);
    const std::uint8_t number = byteAt(raw, kSocketOffset);
    if (formatted <= kSocketOffset || formatted > raw.size() || number == 0) return {};
    // The strings follow the formatted part, each ended by a NUL, numbered from 1.
    std::string_view strings = raw.substr(formatted);
    for (std::uint8_t n = 1; n < number; ++n) {
        const auto end = strings.find('\0');
        if (end == std::string_view::npos || end == 0) return {};  // an empty string ends the set
        strings.remove_prefix(end + 1);
    }
    return std::string(strings.substr(0, strings.find('\0')));
}

}  // namespace zarnel
