// The one contract between the window's logic and the operating system.
// Methods follow the Win32 functions they stand for: same results, same in/out lengths and the
// thread's last error captured right after every call, so that the probes' buffer, NUL-cut and
// error-table logic is the same whatever provider answers.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "platform/codec.h"

namespace zarnel {

using Hwnd = std::intptr_t;

// GetComputerNameExA name types used by the window.
enum class ComputerNameFormat : int {
    DnsHostname = 1,
    PhysicalDnsDomain = 6,
};

// SYSTEM_POWER_STATUS: the platform's 12-byte record.
struct SystemPowerStatus {
    std::uint8_t ACLineStatus = 0;
    std::uint8_t BatteryFlag = 0;
    std::uint8_t BatteryLifePercent = 0;
    std::uint8_t SystemStatusFlag = 0;
    std::int32_t BatteryLifeTime = 0;
    std::int32_t BatteryFullLifeTime = 0;
};

// The record's values as the platform defines them.
namespace power_status {
inline constexpr std::uint8_t kOffline = 0;  // ACLineStatus
inline constexpr std::uint8_t kOnline = 1;
inline constexpr std::uint8_t kUnknown = 255;  // ACLineStatus, BatteryFlag, BatteryLifePercent
inline constexpr std::uint8_t kHigh = 1;       // BatteryFlag bits
inline constexpr std::uint8_t kLow = 2;
inline constexpr std::uint8_t kCritical = 4;
inline constexpr std::uint8_t kCharging = 8;
inline constexpr std::uint8_t kNoBattery = 128;
inline constexpr std::int32_t kUnknownSeconds = -1;  // BatteryLifeTime, BatteryFullLifeTime
}  // namespace power_status

// MEMORYSTATUSEX: 64-bit fields, so machines beyond 4 GB read right.
struct MemoryStatus {
    std::uint32_t dwLength = 0;
    std::uint32_t dwMemoryLoad = 0;
    std::uint64_t ullTotalPhys = 0;
    std::uint64_t ullAvailPhys = 0;
};

// ShellExecuteA's results: at most 32 is a failure.
inline constexpr std::intptr_t kShellOpenFailed = 32;
inline constexpr std::intptr_t kShellOutOfResources = 0;
inline constexpr std::intptr_t kShellFileNotFound = 2;  // SE_ERR_FNF
inline constexpr std::intptr_t kShellOpened = 42;       // any value above 32 means success

// The drive list as the drive-list control shows it.
struct DriveList {
    std::vector<std::string> entries;  // "c: [/]", "d: [/home]"
    int selected = -1;                 // the current drive, -1 when there is none
};

// A WMI property value: null, text or a whole number.
using WmiValue = std::variant<std::monostate, std::string, std::int64_t>;
// One instance: its properties in the order the service lists them.
using WmiInstance = std::vector<std::pair<std::string, WmiValue>>;

class Platform {
  public:
    virtual ~Platform() = default;

    // The system's ANSI code page: every string crossing into the platform goes through it.
    virtual const AnsiCodec& ansi() const = 0;

    virtual std::uint32_t lastError() const = 0;
    virtual void clearLastError() = 0;

    // GetComputerNameA: too small a buffer gives 0, error 111 and len = bytes needed.
    virtual int getComputerName(std::span<char> buffer, std::uint32_t& len) = 0;
    // GetUserNameA: too small a buffer gives 0 and error 122.
    virtual int getUserName(std::span<char> buffer, std::uint32_t& len) = 0;
    // GetComputerNameExA: too small a buffer gives 0 and error 234. Throws BindingError where
    // the system lacks the function.
    virtual int getComputerNameEx(ComputerNameFormat format, std::span<char> buffer,
                                  std::uint32_t& len) = 0;

    // GetSystemPowerStatus: fills the record; callers judge the call by lastError().
    virtual int getSystemPowerStatus(SystemPowerStatus& status) = 0;
    // SHAppBarMessage(ABM_GETSTATE): the taskbar's state bits, 1 auto-hide, 2 always on top.
    // The record passed holds sizeof(APPBARDATA): a 20-byte one fails on 64-bit Windows.
    virtual std::uint32_t appBarGetState() = 0;
    // The instances of a management class through "winmgmts:", in the order the service
    // enumerates them. Throws WmiError when the service is absent or refuses the class.
    virtual std::vector<WmiInstance> wmiInstances(std::string_view className) = 0;
    // GlobalMemoryStatusEx: the caller zeroes the record and sets dwLength; a failure leaves
    // the figures at zero.
    virtual void globalMemoryStatus(MemoryStatus& status) = 0;
    // Sleep: blocks the calling thread.
    virtual void sleep(std::uint32_t milliseconds) = 0;
    // ShellExecuteA with the verb "open", no parameters, no directory, shown normally; `file`
    // is in the ANSI code page. Above kShellOpenFailed on success.
    virtual std::intptr_t shellOpen(Hwnd owner, std::string_view file) = 0;
};

}  // namespace zarnel
