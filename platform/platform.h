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

// SHAppBarMessage(ABM_GETSTATE) bits.
namespace app_bar_state {
inline constexpr std::uint32_t kAutoHide = 1;     // ABS_AUTOHIDE
inline constexpr std::uint32_t kAlwaysOnTop = 2;  // ABS_ALWAYSONTOP
}  // namespace app_bar_state

// ShellExecuteA's results: at most 32 is a failure.
inline constexpr std::intptr_t kShellOpenFailed = 32;
inline constexpr std::intptr_t kShellOutOfResources = 0;
inline constexpr std::intptr_t kShellFileNotFound = 2;  // SE_ERR_FNF
inline constexpr std::intptr_t kShellOpened = 42;       // any value above 32 means success

// The drive list as the drive-list control shows it.
struct DriveList {
    std::vector<std::string> entries;  // "c: [/]", "d: [/home]"
    int selected = -1;                 // the current drive, -1 when there is none
    // What each entry is, whatever it shows: the same for a drive before and after a medium is
    // mounted in it or taken out ("/dev/sr0" for "e: [/dev/sr0]" and "d: [/media/disc]"), and
    // the same for every file system mounted from one removable disk, which then tells none of
    // them apart. Empty where the entries' texts say it already.
    std::vector<std::string> drives{};
    // What each entry shows now: another volume mounted under an unchanged entry (over it, in
    // its place, or uncovered beneath it) gives another text, and so does a remount. Empty
    // where the system says itself which drives' media changed.
    std::vector<std::string> volumes{};
};

// GetDriveTypeA codes.
namespace drive_type {
inline constexpr std::uint32_t kUnknown = 0;
inline constexpr std::uint32_t kNoRootDir = 1;
inline constexpr std::uint32_t kRemovable = 2;
inline constexpr std::uint32_t kFixed = 3;
inline constexpr std::uint32_t kRemote = 4;
inline constexpr std::uint32_t kCdRom = 5;
inline constexpr std::uint32_t kRamDisk = 6;
}  // namespace drive_type

// GetVolumeInformationA: FILE_* bits of the file-system flags.
namespace volume_flag {
inline constexpr std::uint32_t kCaseSensitiveSearch = 0x1;
inline constexpr std::uint32_t kCasePreservedNames = 0x2;
inline constexpr std::uint32_t kUnicodeOnDisk = 0x4;
inline constexpr std::uint32_t kPersistentAcls = 0x8;
inline constexpr std::uint32_t kFileCompression = 0x10;
inline constexpr std::uint32_t kVolumeQuotas = 0x20;
inline constexpr std::uint32_t kPosixUnlinkRename = 0x400;
inline constexpr std::uint32_t kVolumeIsCompressed = 0x8000;
inline constexpr std::uint32_t kSupportsEncryption = 0x20000;
inline constexpr std::uint32_t kNamedStreams = 0x40000;
inline constexpr std::uint32_t kReadOnlyVolume = 0x80000;
}  // namespace volume_flag

// MAX_PATH: the path and volume-name buffers hold this many bytes.
inline constexpr std::size_t kMaxPath = 260;

// SHGetFolderPathA: the create flag or'ed into a folder number, and its results.
inline constexpr int kCsidlFlagCreate = 0x8000;
inline constexpr std::int32_t kSOk = 0;
inline constexpr std::int32_t kEFail = static_cast<std::int32_t>(0x80004005);

// The shell's folder numbers (CSIDL_*) of the folders the window can ask for.
namespace csidl {
inline constexpr int kDesktop = 0;
inline constexpr int kPrograms = 2;
inline constexpr int kPersonal = 5;
inline constexpr int kFavorites = 6;
inline constexpr int kStartup = 7;
inline constexpr int kStartMenu = 11;
inline constexpr int kFonts = 20;
inline constexpr int kTemplates = 21;
inline constexpr int kCommonStartMenu = 22;
inline constexpr int kCommonPrograms = 23;
inline constexpr int kCommonStartup = 24;
inline constexpr int kCommonDesktopDirectory = 25;
inline constexpr int kCommonFavorites = 31;
inline constexpr int kWindows = 36;
inline constexpr int kSystem = 37;
inline constexpr int kProgramFiles = 38;
}  // namespace csidl

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

    // GlobalMemoryStatusEx: the caller zeroes the record and sets dwLength; a failure leaves
    // the figures at zero.
    virtual void globalMemoryStatus(MemoryStatus& status) = 0;
    // Sleep: blocks the calling thread.
    virtual void sleep(std::uint32_t milliseconds) = 0;
    // ShellExecuteA with the verb "open", no parameters, no directory, shown normally; `file`
    // is in the ANSI code page. Above kShellOpenFailed on success.
    virtual std::intptr_t shellOpen(Hwnd owner, std::string_view file) = 0;
    // GetSystemPowerStatus: fills the record; callers judge the call by lastError().
    virtual int getSystemPowerStatus(SystemPowerStatus& status) = 0;
    // SHAppBarMessage(ABM_GETSTATE): the taskbar's state bits (app_bar_state).
    // The record passed holds sizeof(APPBARDATA): a 20-byte one fails on 64-bit Windows.
    virtual std::uint32_t appBarGetState() = 0;
    // The instances of a management class through "winmgmts:", in the order the service
    // enumerates them. Throws WmiError when the service is absent or refuses the class.
    virtual std::vector<WmiInstance> wmiInstances(std::string_view className) = 0;
    // GetLogicalDriveStringsA with the current drive: the entries of the drive list as text and
    // the one selected at start. Never touches a disk.
    virtual DriveList drives() = 0;
    // GetDriveTypeA; `root` is an ANSI path such as "c:\\".
    virtual std::uint32_t getDriveType(std::string_view root) = 0;
    // GetVolumeInformationA: both buffers' sizes are their spans' sizes; 0 on failure with the
    // outputs untouched and the reason in lastError().
    virtual int getVolumeInformation(std::string_view root, std::span<char> volumeName,
                                     std::uint32_t& serialNumber,
                                     std::uint32_t& maximumComponentLength,
                                     std::uint32_t& fileSystemFlags,
                                     std::span<char> fileSystemName) = 0;
    // GetDiskFreeSpaceExA's three figures, but the total is the volume's own size whatever the
    // caller's quota, which bounds the first only: unsigned 64-bit byte counts; 0 on failure,
    // counts untouched.
    virtual int getDiskFreeSpaceEx(std::string_view root, std::uint64_t& freeBytesAvailable,
                                   std::uint64_t& totalBytes, std::uint64_t& totalFreeBytes) = 0;
    // SHGetFolderPathA with no token and flags 0: the path and its NUL into the 260-byte
    // buffer; an HRESULT, the buffer untouched on failure.
    virtual std::int32_t getFolderPath(Hwnd owner, int csidl, std::span<char> path) = 0;
    // GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND): the user's thousands separator and
    // its NUL into `data`; the bytes written, NUL included, or 0 on failure (error 122 for too
    // small a buffer, which is then left as it was).
    virtual int getThousandsSeparator(std::span<char> data) = 0;
};

}  // namespace zarnel
