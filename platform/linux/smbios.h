// SMBIOS structures as the firmware hands them over (sys/firmware/dmi/entries/T-N/raw).
#pragma once

#include <string>
#include <string_view>

namespace zarnel {

// The Socket Designation of a Processor Information structure (type 4): the string its
// byte at offset 4 points to. Empty when the structure is not type 4, is cut short, or
// names no string.
std::string socketDesignation(std::string_view raw);

}  // namespace zarnel
