// Names behind the ARM identification codes of proc/cpuinfo ("CPU implementer", "CPU part").
#pragma once

#include <optional>
#include <string_view>

namespace zarnel::linux_fs {

// The maker of an implementer code (0x41 "ARM", 0x51 "Qualcomm").
std::optional<std::string_view> armImplementerName(unsigned code);

// The core of an ARM Ltd. (implementer 0x41) part number, spelled as ARM publishes it and
// lscpu prints it (0xd03 "Cortex-A53", 0xd0c "Neoverse-N1").
std::optional<std::string_view> armPartName(unsigned part);

}  // namespace zarnel::linux_fs
