// A provider whose every answer is set by a test (or a scenario file): records, a call log,
// and injected errors or missing functions. Built in every configuration.
#pragma once

#include <cstdint>
#include <filesystem>
#include <istream>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace zarnel {

// One drive letter's volume. Texts are UTF-8.
struct FakeVolume {
    std::uint32_t driveType = drive_type::kFixed;
    std::string volumeName;
    std::uint32_t serialNumber = 0;
    std::uint32_t maximumComponentLength = 0;
    std::uint32_t fileSystemFlags = 0;
    std::string fileSystemName;
    std::uint64_t freeBytesAvailable = 0;
    std::uint64_t totalBytes = 0;
    std::uint64_t totalFreeBytes = 0;
    // Non-zero: the volume and space queries fail with this code (21 for a drive not ready).
    std::uint32_t error = 0;
};

// Management classes by name, each with its instances in enumeration order.
using WmiClasses = std::map<std::string, std::vector<WmiInstance>, std::less<>>;

// One operating system, one processor and one BIOS, every property filled.
WmiClasses defaultWmiClasses();

// What the fake machine reports. Texts are UTF-8; the fake encodes them in its code page.
struct FakeRecords {
    std::string computerName = "FAKEPC";
    std::string userName = "user";
    std::string dnsHostname = "fakepc";
    std::string dnsDomain = "example.test";
    DriveList drives = {.entries = {"c: [/]"}, .selected = 0};
    // By lower-case drive letter; a letter without a volume has no root directory.
    std::map<char, FakeVolume> volumes = {{'c',
                                           {.driveType = drive_type::kFixed,
                                            .volumeName = "",
                                            .serialNumber = 0,
                                            .maximumComponentLength = 255,
                                            .fileSystemFlags = 0x3,
                                            .fileSystemName = "ext4",
                                            .freeBytesAvailable = 1000,
                                            .totalBytes = 4000,
                                            .totalFreeBytes = 1200,
                                            .error = 0}}};
    // Special folders by number (without the create flag); a number not here fails.
    std::map<int, std::string> folders = {{0, "/home/user/Desktop"}};
    MemoryStatus memory{.dwLength = 0,
                        .dwMemoryLoad = 57,
                        .ullTotalPhys = 536'346'624,
                        .ullAvailPhys = 230'686'720};
    // A desktop on mains power without a battery.
    SystemPowerStatus power = {.ACLineStatus = power_status::kOnline,
                               .BatteryFlag = power_status::kNoBattery,
                               .BatteryLifePercent = power_status::kUnknown,
                               .BatteryLifeTime = power_status::kUnknownSeconds,
                               .BatteryFullLifeTime = power_status::kUnknownSeconds};
    std::uint32_t appBarState = 0;
    std::string thousandsSeparator = ",";
    // false: the management service is absent, every query throws WmiError.
    bool wmiAvailable = true;
    // A class not in the map is unknown to the service.
    WmiClasses wmi = defaultWmiClasses();
};

class FakePlatform : public Platform {
  public:
    explicit FakePlatform(std::string codePage = "UTF-8");

    FakeRecords records;
    // Every call in order, as "Function(arguments)".
    std::vector<std::string> calls;
    // Functions the system lacks: calling one throws BindingError.
    std::set<std::string> missing;
    // Functions that fail: the call returns its failure value with this last error.
    std::map<std::string, std::uint32_t> failures;

    void setCodePage(const std::string& codePage) { codec_ = makeAnsiCodec(codePage); }

    const AnsiCodec& ansi() const override { return *codec_; }
    std::uint32_t lastError() const override { return lastError_; }
    void clearLastError() override;

    int getComputerName(std::span<char> buffer, std::uint32_t& len) override;
    int getUserName(std::span<char> buffer, std::uint32_t& len) override;
    int getComputerNameEx(ComputerNameFormat format, std::span<char> buffer,
                          std::uint32_t& len) override;
    DriveList drives() override;
    std::uint32_t getDriveType(std::string_view root) override;
    int getVolumeInformation(std::string_view root, std::span<char> volumeName,
                             std::uint32_t& serialNumber, std::uint32_t& maximumComponentLength,
                             std::uint32_t& fileSystemFlags,
                             std::span<char> fileSystemName) override;
    int getDiskFreeSpaceEx(std::string_view root, std::uint64_t& freeBytesAvailable,
                           std::uint64_t& totalBytes, std::uint64_t& totalFreeBytes) override;
    std::int32_t getFolderPath(Hwnd owner, int csidl, std::span<char> path) override;
    int getThousandsSeparator(std::span<char> data) override;
    void globalMemoryStatus(MemoryStatus& status) override;
    // Records the time asked for instead of sleeping.
    void sleep(std::uint32_t milliseconds) override;
    // An injected failure answers its code, as ShellExecuteA does.
    std::intptr_t shellOpen(Hwnd owner, std::string_view file) override;

    // Milliseconds the logic has asked to sleep, all together.
    std::uint64_t sleptMilliseconds = 0;
    int getSystemPowerStatus(SystemPowerStatus& status) override;
    std::uint32_t appBarGetState() override;
    std::vector<WmiInstance> wmiInstances(std::string_view className) override;

  private:
    // Logs the call, throws for a missing function, and returns true when a failure is
    // injected (lastError_ then holds its code).
    bool enter(const std::string& function, const std::string& arguments = {});
    int copyName(const std::string& text, std::span<char> buffer, std::uint32_t& len,
                 bool lengthWithNul, std::uint32_t tooSmallError);
    // The volume of a root path "x:\", or nothing (last error 3) for a letter without one.
    const FakeVolume* volumeAt(std::string_view root);

    std::unique_ptr<AnsiCodec> codec_;
    std::uint32_t lastError_ = 0;
};

// Reads a scenario: one "key = value" per line, '#' starts a comment. Keys are the fields of
// FakeRecords, "power.<field>" (a field of the power record), "codePage", "missing" (a
// function name), "fail.Function" (an error code); for the drives:
//   drives = c: [/] | d: [/data]          the drive list's entries; driveSelected = n
//   volume.<letter>.<field> = value       a FakeVolume field (type, name, serial, maxComponent,
//                                         flags, fileSystem, available, total, totalFree,
//                                         error; numbers may be 0x-prefixed hex)
//   folder.<number> = path                a special folder's path
// and for the management service:
//   wmi.<Class> = new | none | absent    a new last instance; no instances; an unknown class
//   wmi.<Class>.<Property> = value       set on the last instance (made if there is none)
// where a value is null, a whole number, or text ("quoted" to keep blanks or digits as text).
// Throws std::runtime_error naming the line of an unknown key or a bad value.
void loadScenario(FakePlatform& platform, const std::filesystem::path& file);
// The same from a stream; `name` stands for the file in the error.
void loadScenario(FakePlatform& platform, std::istream& in, const std::string& name);

}  // namespace zarnel
