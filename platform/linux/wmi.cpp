// The three management classes the window reads, answered from procfs, sysfs and etc/passwd.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/errors.h"
#include "platform/linux/cpuinfo.h"
#include "platform/linux/dmi.h"
#include "platform/linux/linux_platform.h"
#include "platform/linux/passwd.h"
#include "platform/linux/processor.h"
#include "platform/linux/read_file.h"
#include "platform/linux/smbios.h"
#include "platform/linux/wmi_value.h"
#include "platform/text_fields.h"

namespace zarnel {
namespace {

// A 4,096-CPU machine writes about 10 MB of proc/cpuinfo (its flags line is long).
constexpr std::size_t kMaxCpuinfoBytes = 16 << 20;

std::optional<std::string> firstLine(const std::optional<std::string>& text) {
    if (!text) return std::nullopt;
    // sysfs text ends at a NUL as C strings do; NULs in place of a file are no text at all.
    std::string line = text->substr(0, text->find_first_of(std::string_view("\n\0", 2)));
    while (!line.empty() && (line.back() == ' ' || line.back() == '\r')) line.pop_back();
    if (line.empty()) return std::nullopt;
    return line;
}

std::optional<std::int64_t> number(const std::optional<std::string>& text) {
    const auto line = firstLine(text);
    if (!line) return std::nullopt;
    const auto value = wholeNumber<std::int64_t>(*line);
    if (!value || *value < 0) return std::nullopt;
    return value;
}

// ARM kernels before 6.0 numbered each cluster of cores (a big.LITTLE chip's two) as a
// package; other machines booting from a device tree (POWER) number their chips.
bool armCores(const std::vector<linux_fs::CpuinfoCpu>& cpus) {
    return std::ranges::any_of(cpus, [](const linux_fs::CpuinfoCpu& cpu) {
        return cpu.field(linux_fs::CpuField::CpuImplementer).has_value();
    });
}

// Whether the machine boots from a device tree whose CPU map names no sockets.
bool oneSocketDeviceTree(const std::filesystem::path& root) {
    const std::filesystem::path cpus = root / "sys/firmware/devicetree/base/cpus";
    std::error_code error;
    if (!std::filesystem::is_directory(cpus, error)) return false;
    for (std::filesystem::directory_iterator entry(cpus / "cpu-map", error), end;
         !error && entry != end; entry.increment(error)) {
        if (entry->path().filename().string().starts_with("socket")) return false;
    }
    return true;
}

}  // namespace

std::vector<WmiInstance> LinuxPlatform::processors() const {
    const std::vector<linux_fs::CpuinfoCpu> cpus = linux_fs::parseCpuinfo(
        linux_fs::readFile(root_, "proc/cpuinfo", linux_fs::FinalLink::Refuse, kMaxCpuinfoBytes)
            .value_or(""));
    // Two files per CPU are 2,000 reads on a large server: read a package id only where
    // cpuinfo lacks one, and a clock only for the CPU each package is described by.
    const auto folder = [](int index) {
        return std::filesystem::path("sys/devices/system/cpu") / ("cpu" + std::to_string(index));
    };
    std::map<int, linux_fs::CpuSysfs> sysfs;
    const bool onePackage = armCores(cpus) && oneSocketDeviceTree(root_);
    for (const linux_fs::CpuinfoCpu& cpu : cpus) {
        if (onePackage || linux_fs::cpuinfoNamesPackage(cpu)) continue;
        sysfs[cpu.index].packageId =
            number(linux_fs::readFile(root_, folder(cpu.index) / "topology/physical_package_id"));
    }
    for (const linux_fs::CpuinfoCpu* cpu : linux_fs::packageLeaders(cpus, sysfs)) {
        sysfs[cpu->index].curFreqKHz =
            number(linux_fs::readFile(root_, folder(cpu->index) / "cpufreq/scaling_cur_freq"));
    }
    // Processor records are numbered 4-0, 4-1, ...; they are readable by root only.
    const std::string processorRecords =
        "sys/firmware/dmi/entries/" + std::to_string(kSmbiosProcessorType) + "-";
    std::vector<linux_fs::FirmwareProcessor> firmware;
    for (int n = 0;; ++n) {
        const auto raw = linux_fs::readFile(root_, processorRecords + std::to_string(n) + "/raw");
        if (!raw) break;
        firmware.push_back(
            {.socket = socketDesignation(*raw), .currentMHz = processorCurrentSpeed(*raw)});
    }
    return linux_fs::processorInstances(cpus, sysfs, firmware);
}

std::vector<WmiInstance> LinuxPlatform::bioses() const {
    const std::filesystem::path dmi = "sys/class/dmi/id";
    std::error_code error;
    if (!std::filesystem::is_directory(root_ / dmi, error)) return {};  // no firmware tables
    const linux_fs::DmiBios bios{
        .vendor = firstLine(linux_fs::readFile(root_, dmi / "bios_vendor")),
        .date = firstLine(linux_fs::readFile(root_, dmi / "bios_date")),
        .version = firstLine(linux_fs::readFile(root_, dmi / "bios_version")),
    };
    // Tables that tell of the board but not of its firmware know no BIOS to report as working.
    if (!bios.vendor && !bios.date && !bios.version) return {};
    return {linux_fs::biosInstance(bios)};
}

std::vector<WmiInstance> LinuxPlatform::operatingSystems() const {
    std::optional<std::string> user;
    if (const auto passwdText =
            linux_fs::readFile(root_, "etc/passwd", linux_fs::FinalLink::Follow)) {
        user = linux_fs::registeredUser(*passwdText, linux_fs::effectiveUid());
    }
    // Users that etc/passwd does not list (LDAP, systemd-homed) through the name service.
    if (!user) {
        if (const auto entry = linux_fs::effectiveUserEntry(nameService)) {
            user = linux_fs::registeredUser(entry->login, entry->gecos);
        }
    }
    // Linux keeps no registered organisation: an empty one, as Windows shows when none was
    // given at set-up.
    return {{{"Organization", ""}, {"RegisteredUser", linux_fs::orNull(user)}}};
}

std::vector<WmiInstance> LinuxPlatform::wmiInstances(std::string_view className) {
    if (className == "Win32_Processor") return processors();
    if (className == "Win32_BIOS") return bioses();
    if (className == "Win32_OperatingSystem") return operatingSystems();
    throw WmiError("invalid class " + std::string(className));
}

}  // namespace zarnel
