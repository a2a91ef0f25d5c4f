// Win32_Processor on Linux: one instance per physical package.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/linux/cpuinfo.h"
#include "platform/platform.h"

namespace zarnel::linux_fs {

// What sys/devices/system/cpu/cpuN adds to a logical CPU.
struct CpuSysfs {
    std::optional<std::int64_t> packageId;   // topology/physical_package_id
    std::optional<std::int64_t> curFreqKHz;  // cpufreq/scaling_cur_freq
};

// Whether proc/cpuinfo itself says which package the CPU is in ("physical id", "package");
// only the others need their sysfs package id.
bool cpuinfoNamesPackage(const CpuinfoCpu& cpu);

// The first logical CPU of each package, in ascending package id: the CPUs the instances are
// made from, and so the only ones whose clock is read.
std::vector<const CpuinfoCpu*> packageLeaders(std::span<const CpuinfoCpu> cpus,
                                              const std::map<int, CpuSysfs>& sysfs);

// What one of the firmware's processor records tells (they are readable by root only).
struct FirmwareProcessor {
    std::string socket;                      // its name; empty for none
    std::optional<std::int64_t> currentMHz;  // its clock, where the firmware knows it
};

// One instance per package in ascending package id, each from the package's first logical
// CPU but its Name, which names each kind of core the package has: Manufacturer, Name,
// Version, CurrentClockSpeed (MHz), SocketDesignation. `firmware` holds the firmware's
// processor records in their order (empty: none), paired with the packages in theirs; a
// record's clock counts only where the system tells none (a cloud's ARM machine).
std::vector<WmiInstance> processorInstances(std::span<const CpuinfoCpu> cpus,
                                            const std::map<int, CpuSysfs>& sysfs,
                                            std::span<const FirmwareProcessor> firmware);

}  // namespace zarnel::linux_fs
