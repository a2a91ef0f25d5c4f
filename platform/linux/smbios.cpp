#include "platform/linux/smbios.h"

#include <cstdint>

namespace zarnel {
namespace {

constexpr std::size_t kTypeOffset = 0;
constexpr std::size_t kLengthOffset = 1;
constexpr std::size_t kSocketOffset = 4;
constexpr std::size_t kCurrentSpeedOffset = 0x16;  // a little-endian word
constexpr std::size_t kWordBytes = 2;
constexpr unsigned kBitsPerByte = 8;

std::uint8_t byteAt(std::string_view raw, std::size_t offset) {
    return static_cast<std::uint8_t>(raw[offset]);
}

// Whether `raw` is a processor structure whose formatted part holds the field of `bytes` at
// `offset`.
bool holdsProcessorField(std::string_view raw, std::size_t offset, std::size_t bytes) {
    if (raw.size() < offset + bytes || byteAt(raw, kTypeOffset) != kSmbiosProcessorType) {
        return false;
    }
    const std::size_t formatted = byteAt(raw, kLengthOffset);
    return formatted >= offset + bytes && formatted <= raw.size();
}

}  // namespace

std::optional<std::int64_t> processorCurrentSpeed(std::string_view raw) {
    if (!holdsProcessorField(raw, kCurrentSpeedOffset, kWordBytes)) return std::nullopt;
    const unsigned mhz = byteAt(raw, kCurrentSpeedOffset) |
                         (unsigned{byteAt(raw, kCurrentSpeedOffset + 1)} << kBitsPerByte);
    if (mhz == 0) return std::nullopt;
    return mhz;
}

std::string socketDesignation(std::string_view raw) {
    if (!holdsProcessorField(raw, kSocketOffset, 1)) return {};
    const std::size_t formatted = byteAt(raw, kLengthOffset);
    const std::uint8_t number = byteAt(raw, kSocketOffset);
    if (number == 0) return {};
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
