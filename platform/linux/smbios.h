// SMBIOS structures as the firmware hands them over (sys/firmware/dmi/entries/T-N/raw).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zarnel {

// The structure type of Processor Information, the T of its entries' folders.
inline constexpr std::uint8_t kSmbiosProcessorType = 4;

// The Socket Designation of a Processor Information structure (type 4): the string its
// byte at offset 4 points to. Empty when the structure is not type 4, is cut short, or
// names no string.
std::string socketDesignation(std::string_view raw);

// The Current Speed in MHz of a Processor Information structure (the word at offset 0x16);
// nothing when the structure is not type 4, is cut short, or says the speed is unknown (0).
std::optional<std::int64_t> processorCurrentSpeed(std::string_view raw);

}  // namespace zarnel
