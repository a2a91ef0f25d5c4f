// proc/cpuinfo with each CPU's sysfs figures (the ARM tables name the cores that give only
// codes): at most one processor per CPU, every clock a whole non-negative number, no text
// property empty.
#include <algorithm>
#include <string>

#include "fuzz/fuzz_input.h"
#include "platform/linux/cpuinfo.h"
#include "platform/linux/processor.h"
#include "platform/linux/smbios.h"
#include "platform/text_fields.h"

namespace {

using namespace zarnel;

// Parts: the cpuinfo text, one line per CPU "package kHz" for its sysfs, the socket names.
enum Part : std::size_t { kCpuinfo, kSysfs, kSockets, kPartCount };

std::optional<std::int64_t> numberAt(std::string_view line, std::size_t field) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < field && start != std::string_view::npos; ++i) {
        start = line.find(' ', start);
        if (start != std::string_view::npos) ++start;
    }
    if (start == std::string_view::npos) return std::nullopt;
    const std::string_view text = line.substr(start, line.find(' ', start) - start);
    return wholeNumber<std::int64_t>(text);
}

bool isNonEmptyText(const WmiValue& value) {
    const auto* text = std::get_if<std::string>(&value);
    return !text || !text->empty();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto parts = fuzz::partsOf(fuzz::textOf(data, size), kPartCount);
    const std::vector<linux_fs::CpuinfoCpu> cpus = linux_fs::parseCpuinfo(parts[kCpuinfo]);

    std::map<int, linux_fs::CpuSysfs> sysfs;
    std::string_view lines = parts[kSysfs];
    for (const linux_fs::CpuinfoCpu& cpu : cpus) {
        if (lines.empty()) break;
        const std::string_view line = lines.substr(0, lines.find('\n'));
        lines.remove_prefix(std::min(lines.size(), line.size() + 1));
        sysfs[cpu.index] = {.packageId = numberAt(line, 0), .curFreqKHz = numberAt(line, 1)};
    }
    std::vector<linux_fs::FirmwareProcessor> firmware;
    for (std::string_view rest = parts[kSockets]; !rest.empty();) {
        const std::string_view line = rest.substr(0, rest.find('\n'));
        firmware.push_back(
            {.socket = std::string(line), .currentMHz = processorCurrentSpeed(line)});
        rest.remove_prefix(std::min(rest.size(), line.size() + 1));
    }

    for (const linux_fs::CpuinfoCpu& cpu : cpus) {
        // Each field once, its value trimmed, and a CPU's index never negative.
        fuzz::require(cpu.index >= 0);
        for (std::size_t i = 0; i < cpu.fields.size(); ++i) {
            const auto& [name, value] = cpu.fields[i];
            fuzz::require(trimmed(value) == value);
            for (std::size_t j = 0; j < i; ++j) fuzz::require(cpu.fields[j].first != name);
        }
    }

    const std::vector<WmiInstance> processors = linux_fs::processorInstances(cpus, sysfs, firmware);
    fuzz::require(processors.size() <= std::max<std::size_t>(cpus.size(), 1));
    for (const WmiInstance& processor : processors) {
        for (const auto& [property, value] : processor) {
            fuzz::require(isNonEmptyText(value) || property == "SocketDesignation");
            if (property == "CurrentClockSpeed") {
                const auto* clock = std::get_if<std::int64_t>(&value);
                fuzz::require(std::holds_alternative<std::monostate>(value) ||
                              (clock && *clock >= 0));
            }
        }
    }
    return 0;
}
