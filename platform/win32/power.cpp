#include "platform/win32/win32_platform.h"

namespace zarnel {

int Win32Platform::getSystemPowerStatus(SystemPowerStatus& status) {
    SYSTEM_POWER_STATUS system{};
    const BOOL ok = call(getSystemPowerStatus_, &system);
    if (!ok) return ok;
    status.ACLineStatus = system.ACLineStatus;
    status.BatteryFlag = system.BatteryFlag;
    status.BatteryLifePercent = system.BatteryLifePercent;
    // MinGW-w64 names the fourth byte Reserved1; the system calls it SystemStatusFlag.
    status.SystemStatusFlag = system.Reserved1;
    status.BatteryLifeTime = static_cast<std::int32_t>(system.BatteryLifeTime);
    status.BatteryFullLifeTime = static_cast<std::int32_t>(system.BatteryFullLifeTime);
    return ok;
}

}  // namespace zarnel
