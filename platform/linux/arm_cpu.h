// Names behind the ARM identification codes of proc/cpuinfo ("CPU implementer", "CPU part").
#pragma once

#include <optional>
#include <string_view>

namespace zarnel::linux_fs {

// The maker of an implementer code (0x41 "ARM", 0x51 "Qualcomm").
std::optional<std::string_view> armImplementerName(unsigned code);

// The core behind a maker's part number, spelled as lscpu prints it (ARM 0xd03 "Cortex-A53",
// Apple 0x022 "Icestorm-M1"); part numbers mean different cores at different makers.
std::optional<std::string_view> armCoreName(unsigned implementer, unsigned part);

}  // namespace zarnel::linux_fs
