// proc/cpuinfo as a list of logical CPUs.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zarnel::linux_fs {

// The fields the processor facts are read from. The parser keeps no other: a server writes
// two dozen per CPU, its flags alone hundreds of bytes, a thousand times over.
enum class CpuField : std::size_t {
    PhysicalId,      // "physical id"
    Package,         // "package" (LoongArch)
    VendorId,        // "vendor_id"
    Vendor,          // "vendor" (ia64)
    CpuImplementer,  // "CPU implementer" (ARM)
    CpuPart,         // "CPU part" (ARM)
    ModelName,       // "model name"
    Cpu,             // "cpu" (POWER, sparc)
    Processor,       // 32-bit ARM's name for its core, an unnumbered "Processor" line
    Uarch,           // "uarch" (RISC-V)
    Model,           // "model"
    Stepping,        // "stepping"
    CpuMhz,          // "cpu MHz"
    Clock,           // "clock" (POWER)
    CpuNumber,       // "cpu number": s390's numbered paragraphs
    CpuModel,        // "cpu model" (MIPS)
    Machine,         // "machine": s390's machine type (MIPS names its board there)
    CpuMhzDynamic,   // "cpu MHz dynamic" (s390)
};
inline constexpr std::size_t kCpuFieldCount = static_cast<std::size_t>(CpuField::CpuMhzDynamic) + 1;

// One logical CPU: its index (a numbered "processor" or "cpu number" line) and the fields it has,
// each once, values trimmed. Field names are matched without regard to case (LoongArch writes
// "Model Name", "CPU MHz").
struct CpuinfoCpu {
    using Fields = std::vector<std::pair<CpuField, std::string>>;

    int index = 0;
    Fields fields;

    // The field's value, if the CPU has it and it is not empty.
    std::optional<std::string> field(CpuField name) const;
};

// Paragraphs without a processor number (s390, sparc, old ARM) hold machine-wide facts and
// count for every CPU; a text with no numbered paragraph describes one CPU, index 0. The
// first value of a name wins, as every reader of this file takes it.
std::vector<CpuinfoCpu> parseCpuinfo(std::string_view text);

}  // namespace zarnel::linux_fs
