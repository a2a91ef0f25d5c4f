// The power record from sys/class/power_supply.
#include <algorithm>
#include <cerrno>
#include <span>
#include <system_error>
#include <vector>

#include "platform/errors.h"
#include "platform/linux/linux_platform.h"
#include "platform/linux/power_supply.h"
#include "platform/linux/read_file.h"

namespace zarnel {
namespace {

// A supply whose kind the system refuses to tell (a sandbox's profile, or permissions, guarding
// sysfs files) may be the battery the machine runs on.
bool kindRefused(const std::filesystem::path& folder,
                 const linux_fs::SupplyAttributes& attributes) {
    if (attributes.contains("type")) return false;
    const int error = linux_fs::readFileText(folder, "type").error;
    return error == EACCES || error == EPERM;
}

}  // namespace

std::optional<std::string> LinuxPlatform::readSupplyFile(const std::filesystem::path& folder,
                                                         std::string_view name) {
    return linux_fs::readFile(folder, name);
}

int LinuxPlatform::getSystemPowerStatus(SystemPowerStatus& status) {
    // A machine without the folder (a container, a desktop without ACPI power) has no battery
    // and runs on mains: that is an answer, not a failure.
    std::error_code error;
    std::vector<std::filesystem::path> folders;
    for (std::filesystem::directory_iterator entry(root_ / "sys/class/power_supply", error), end;
         !error && entry != end; entry.increment(error)) {
        folders.push_back(entry->path());
    }
    if (error == std::errc::permission_denied) {
        lastError_ = win32_error::kAccessDenied;
        return 0;
    }
    std::ranges::sort(folders);
    std::vector<linux_fs::PowerSupply> supplies;
    for (const std::filesystem::path& folder : folders) {
        linux_fs::SupplyAttributes attributes;
        const auto readAll = [this, &folder, &attributes](std::span<const std::string_view> names) {
            for (std::string_view name : names) {
                if (auto text = powerSupplyFile(folder, name)) attributes.emplace(name, *text);
            }
        };
        readAll(linux_fs::kSupplyKindAttributes);
        if (kindRefused(folder, attributes)) {
            // Skipped, it would read as a machine on mains with no battery: nothing is known.
            status = {.ACLineStatus = power_status::kUnknown,
                      .BatteryFlag = power_status::kUnknown,
                      .BatteryLifePercent = power_status::kUnknown,
                      .SystemStatusFlag = 0,
                      .BatteryLifeTime = power_status::kUnknownSeconds,
                      .BatteryFullLifeTime = power_status::kUnknownSeconds};
            lastError_ = win32_error::kSuccess;
            return 1;
        }
        if (!linux_fs::mayPowerTheMachine(attributes)) continue;
        readAll(linux_fs::kPowerSupplyAttributes);
        supplies.push_back(linux_fs::parsePowerSupply(attributes));
    }
    status = linux_fs::powerStatus(supplies);
    lastError_ = win32_error::kSuccess;
    return 1;
}

}  // namespace zarnel
