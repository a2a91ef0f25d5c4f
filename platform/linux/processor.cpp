#include "platform/linux/processor.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

#include "platform/linux/arm_cpu.h"
#include "platform/linux/wmi_value.h"
#include "platform/text_fields.h"

namespace zarnel::linux_fs {
namespace {

constexpr std::int64_t kKHzPerMHz = 1000;
constexpr double kBeyondInt64 = 0x1p63;  // the first double past std::int64_t
constexpr int kHexBase = 16;
constexpr std::string_view kCoreKindSeparator = " + ";

std::optional<std::int64_t> wholeNumber(const std::optional<std::string>& text) {
    if (!text) return std::nullopt;
    return zarnel::wholeNumber<std::int64_t>(*text);
}

// "0x41" as proc/cpuinfo writes the ARM identification codes.
std::optional<unsigned> hexCode(const std::optional<std::string>& text) {
    constexpr std::string_view kHexPrefix = "0x";
    if (!text || !text->starts_with(kHexPrefix)) return std::nullopt;
    return zarnel::wholeNumber<unsigned>(std::string_view(*text).substr(kHexPrefix.size()),
                                         kHexBase);
}

// The leading decimal number of "2300.000" or "3550.000000MHz", to the nearest MHz.
std::optional<std::int64_t> megahertz(const std::optional<std::string>& text) {
    if (!text) return std::nullopt;
    double value = 0;
    const auto [end, ec] = std::from_chars(text->data(), text->data() + text->size(), value);
    // A figure no 64-bit number holds is junk, and rounding it would be undefined.
    if (ec != std::errc() || !std::isfinite(value) || value < 0 || value >= kBeyondInt64)
        return std::nullopt;
    return std::llround(value);
}

std::string collapsedBlanks(const std::string& text) {
    std::string result;
    for (char c : text) {
        const bool blank = c == ' ' || c == '\t';
        if (blank && (result.empty() || result.back() == ' ')) continue;
        result += blank ? ' ' : c;
    }
    if (!result.empty() && result.back() == ' ') result.pop_back();
    return result;
}

std::optional<std::int64_t> cpuinfoPackage(const CpuinfoCpu& cpu) {
    for (const CpuField name : {CpuField::PhysicalId, CpuField::Package}) {
        if (const auto id = wholeNumber(cpu.field(name))) return id;
    }
    return std::nullopt;
}

std::int64_t packageOf(const CpuinfoCpu& cpu, const std::map<int, CpuSysfs>& sysfs) {
    if (const auto id = cpuinfoPackage(cpu)) return *id;
    const auto found = sysfs.find(cpu.index);
    if (found != sysfs.end() && found->second.packageId) return *found->second.packageId;
    return 0;
}

std::optional<std::string> manufacturer(const CpuinfoCpu& cpu) {
    if (auto vendor = cpu.field(CpuField::VendorId)) return vendor;
    if (auto vendor = cpu.field(CpuField::Vendor)) return vendor;
    const auto implementer = cpu.field(CpuField::CpuImplementer);
    if (const auto code = hexCode(implementer)) {
        if (const auto name = armImplementerName(*code)) return std::string(*name);
    }
    return implementer;
}

// Whether an ARM kernel's name line names only the architecture, the same for every core of
// it, big and little alike: "ARMv7 Processor rev 4 (v7l)", "AArch64 Processor rev 4 (aarch64)".
bool namesOnlyTheArchitecture(std::string_view text) {
    return text.starts_with("ARMv") || text.starts_with("AArch64 Processor");
}

std::optional<std::string> name(const CpuinfoCpu& cpu) {
    const auto implementer = hexCode(cpu.field(CpuField::CpuImplementer));
    const auto part = hexCode(cpu.field(CpuField::CpuPart));
    std::optional<std::string> line;
    for (const CpuField field :
         {CpuField::ModelName, CpuField::Cpu, CpuField::Processor, CpuField::CpuModel}) {
        if (const auto text = cpu.field(field)) {
            line = collapsedBlanks(*text);
            break;
        }
    }
    // A vendor's own name line ("phytium FT1500a") says more than its core's name; the
    // architecture's says less.
    if (line && !namesOnlyTheArchitecture(*line)) return line;
    if (implementer && part) {
        if (const auto core = armCoreName(*implementer, *part)) return std::string(*core);
    }
    if (line) return line;
    if (auto uarch = cpu.field(CpuField::Uarch)) return uarch;
    // s390 names no processor, only the machine type it is built into.
    if (auto machine = cpu.field(CpuField::Machine)) return machine;
    // A core newer than the table is still told apart by its number, as the kernel gives it.
    if (implementer && part) return "CPU part " + *cpu.field(CpuField::CpuPart);
    return std::nullopt;
}

std::optional<std::string> version(const CpuinfoCpu& cpu) {
    const auto model = cpu.field(CpuField::Model);
    const auto stepping = cpu.field(CpuField::Stepping);
    if (!model || !stepping) return std::nullopt;
    return "Model " + *model + ", Stepping " + *stepping;
}

std::optional<std::int64_t> clockSpeed(const CpuinfoCpu& cpu,
                                       const std::map<int, CpuSysfs>& sysfs) {
    const auto found = sysfs.find(cpu.index);
    if (found != sysfs.end() && found->second.curFreqKHz && *found->second.curFreqKHz > 0) {
        // Rounded by the remainder: adding half a MHz first would overflow the largest figure.
        const std::int64_t kHz = *found->second.curFreqKHz;
        return kHz / kKHzPerMHz + (kHz % kKHzPerMHz >= kKHzPerMHz / 2 ? 1 : 0);
    }
    for (const CpuField field : {CpuField::CpuMhz, CpuField::Clock, CpuField::CpuMhzDynamic}) {
        if (auto mhz = megahertz(cpu.field(field))) return mhz;
    }
    return std::nullopt;
}

// Each package's logical CPUs in their order, by ascending package id.
std::map<std::int64_t, std::vector<const CpuinfoCpu*>> packages(
    std::span<const CpuinfoCpu> cpus, const std::map<int, CpuSysfs>& sysfs) {
    std::map<std::int64_t, std::vector<const CpuinfoCpu*>> byId;
    for (const CpuinfoCpu& cpu : cpus) byId[packageOf(cpu, sysfs)].push_back(&cpu);
    return byId;
}

// The names of a package's kinds of core in the order they first come: a big.LITTLE chip's
// first CPU is usually one of its small cores, which alone would name it after them. A kind is
// a part number (arm64 gives each CPU its own); a package of one kind, or of none, is named
// by its first CPU, whose name line 32-bit ARM writes once for all of them.
std::optional<std::string> packageName(std::span<const CpuinfoCpu* const> members) {
    std::vector<std::string> parts;
    std::vector<std::string> kinds;
    for (const CpuinfoCpu* cpu : members) {
        const auto part = cpu->field(CpuField::CpuPart);
        if (!part || std::ranges::find(parts, *part) != parts.end()) continue;
        parts.push_back(*part);
        auto kind = name(*cpu);
        if (kind && std::ranges::find(kinds, *kind) == kinds.end()) kinds.push_back(*kind);
    }
    if (kinds.size() <= 1) return name(*members.front());
    std::string joined = kinds.front();
    for (std::size_t i = 1; i < kinds.size(); ++i) {
        joined += kCoreKindSeparator;
        joined += kinds[i];
    }
    return joined;
}

}  // namespace

bool cpuinfoNamesPackage(const CpuinfoCpu& cpu) {
    return cpuinfoPackage(cpu).has_value();
}

std::vector<const CpuinfoCpu*> packageLeaders(std::span<const CpuinfoCpu> cpus,
                                              const std::map<int, CpuSysfs>& sysfs) {
    std::vector<const CpuinfoCpu*> leaders;
    for (const auto& [id, members] : packages(cpus, sysfs)) leaders.push_back(members.front());
    return leaders;
}

std::vector<WmiInstance> processorInstances(std::span<const CpuinfoCpu> cpus,
                                            const std::map<int, CpuSysfs>& sysfs,
                                            std::span<const FirmwareProcessor> firmware) {
    std::vector<WmiInstance> instances;
    for (const auto& [id, members] : packages(cpus, sysfs)) {
        const CpuinfoCpu& cpu = *members.front();
        const std::size_t ordinal = instances.size();
        const FirmwareProcessor record =
            ordinal < firmware.size() ? firmware[ordinal] : FirmwareProcessor{};
        std::optional<std::string> socket;
        if (!record.socket.empty()) socket = record.socket;
        std::optional<std::int64_t> clock = clockSpeed(cpu, sysfs);
        if (!clock) clock = record.currentMHz;
        instances.push_back({
            {"Manufacturer", orNull(manufacturer(cpu))},
            {"Name", orNull(packageName(members))},
            {"Version", orNull(version(cpu))},
            {"CurrentClockSpeed", orNull(clock)},
            {"SocketDesignation", orNull(socket)},
        });
    }
    return instances;
}

}  // namespace zarnel::linux_fs
