// proc/cpuinfo as a list of logical CPUs.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zarnel::linux_fs {

// One logical CPU. Field names are lower-cased (LoongArch writes "Model Name", "CPU MHz"),
// values trimmed. A numbered "processor" line is the CPU's index; an unnumbered one is the
// name 32-bit ARM gives its core, kept under "processor".
struct CpuinfoCpu {
    int index = 0;
    std::map<std::string, std::string, std::less<>> fields;

    // The field's value, if the CPU has it and it is not empty.
    std::optional<std::string> field(std::string_view name) const;
};

// Paragraphs without a processor number (s390, sparc, old ARM) hold machine-wide facts and
// count for every CPU; a text with no numbered paragraph describes one CPU, index 0.
std::vector<CpuinfoCpu> parseCpuinfo(std::string_view text);

}  // namespace zarnel::linux_fs
