// The provider's figures are the system's own answers, each in the field it belongs to. Only
// figures that differ on the machine can be told apart: without a page file, or without a quota,
// some answers are equal, and a swap between those goes unseen here. The space is the newer
// call's where the system has it (Windows 10 1809 on), else the older call's.
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32/disk_space.h"
#include "platform/win32/win32_platform.h"

namespace zarnel {
namespace {

// Free memory and free space move a little between two questions.
bool closeTo(std::uint64_t a, std::uint64_t b, std::uint64_t within) {
    return (a > b ? a - b : b - a) <= within;
}

TEST(Win32ProviderAnswers, MemoryFiguresAreTheSystems) {
    Win32Platform platform;
    MemoryStatus status{.dwLength = sizeof(MemoryStatus)};
    platform.globalMemoryStatus(status);
    MEMORYSTATUSEX system{};
    system.dwLength = sizeof(system);
    ASSERT_TRUE(GlobalMemoryStatusEx(&system));

    EXPECT_EQ(status.ullTotalPhys, system.ullTotalPhys);
    EXPECT_LE(status.ullAvailPhys, status.ullTotalPhys);
    EXPECT_TRUE(closeTo(status.ullAvailPhys, system.ullAvailPhys, system.ullTotalPhys / 20))
        << status.ullAvailPhys << " free, the system says " << system.ullAvailPhys;
    EXPECT_NEAR(status.dwMemoryLoad, system.dwMemoryLoad, 5);
}

// The space of `root` as the system tells it: by the newer call where it has one.
win32::DiskSpace systemSpace(const char* root) {
    const auto newer = reinterpret_cast<win32::GetDiskSpaceInformationW>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetDiskSpaceInformationW")));
    win32::DiskSpaceInformation information{};
    const std::wstring wide(root, root + std::char_traits<char>::length(root));
    if (newer && SUCCEEDED(newer(wide.c_str(), &information))) return win32::spaceOf(information);
    ULARGE_INTEGER available{};
    ULARGE_INTEGER total{};
    ULARGE_INTEGER free{};
    EXPECT_TRUE(GetDiskFreeSpaceExA(root, &available, &total, &free));
    return {.availableToCaller = available.QuadPart,
            .total = total.QuadPart,
            .totalFree = free.QuadPart};
}

TEST(Win32ProviderAnswers, SpaceAndVolumeFiguresAreTheSystems) {
    Win32Platform platform;
    std::uint64_t available = 0;
    std::uint64_t total = 0;
    std::uint64_t totalFree = 0;
    ASSERT_TRUE(platform.getDiskFreeSpaceEx("C:\\", available, total, totalFree));
    const win32::DiskSpace system = systemSpace("C:\\");
    constexpr std::uint64_t kMoved = 64ULL << 20;  // written by others meanwhile
    EXPECT_EQ(total, system.total);
    EXPECT_TRUE(closeTo(available, system.availableToCaller, kMoved))
        << available << " available, the system says " << system.availableToCaller;
    EXPECT_TRUE(closeTo(totalFree, system.totalFree, kMoved))
        << totalFree << " free, the system says " << system.totalFree;

    std::array<char, MAX_PATH + 1> name{};
    std::array<char, MAX_PATH + 1> fileSystem{};
    std::uint32_t serial = 0;
    std::uint32_t longest = 0;
    std::uint32_t flags = 0;
    ASSERT_TRUE(platform.getVolumeInformation("C:\\", name, serial, longest, flags, fileSystem));
    std::array<wchar_t, MAX_PATH + 1> systemName{};
    std::array<wchar_t, MAX_PATH + 1> systemFileSystem{};
    DWORD systemSerial = 0;
    DWORD systemLongest = 0;
    DWORD systemFlags = 0;
    ASSERT_TRUE(GetVolumeInformationW(L"C:\\", systemName.data(), MAX_PATH + 1, &systemSerial,
                                      &systemLongest, &systemFlags, systemFileSystem.data(),
                                      MAX_PATH + 1));
    EXPECT_EQ(serial, systemSerial);
    EXPECT_EQ(longest, systemLongest);
    EXPECT_EQ(flags, systemFlags);
}

// Keeps the user's thousands separator, and puts it back when it goes.
class UserSeparatorKept {
  public:
    UserSeparatorKept()
        : read_(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, before_.data(),
                               static_cast<int>(before_.size())) > 0) {}
    ~UserSeparatorKept() {
        if (read_) SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, before_.data());
    }
    bool read() const { return read_; }
    UserSeparatorKept(const UserSeparatorKept&) = delete;
    UserSeparatorKept& operator=(const UserSeparatorKept&) = delete;

  private:
    std::array<wchar_t, 4> before_{};
    bool read_;
};

// The user's own thousands separator, as the user set it, then the one before put back. A
// grouping space the code page lacks (a French user's narrow no-break space on code page 932) is
// a plain space, never the '?' of an unwritable character; another such character is refused.
TEST(Win32ProviderAnswers, ThousandsSeparatorIsTheUsers) {
    constexpr UINT kShiftJis = 932;
    ASSERT_EQ(GetACP(), kShiftJis) << "run under tools/wine/wineprefix.sh (ja_JP.UTF-8)";
    Win32Platform platform;
    const auto separator = [&platform] {
        std::array<char, 8> data{};
        const int written = platform.getThousandsSeparator(data);
        return written > 0 ? std::string(data.data(), static_cast<std::size_t>(written) - 1)
                           : "failed with " + std::to_string(platform.lastError());
    };
    std::vector<std::string> given;
    {
        // The prefix is every test's: the user's separator is put back however this block ends.
        const UserSeparatorKept kept;
        ASSERT_TRUE(kept.read());
        for (const wchar_t* set : {L".", L"\u202F", L"\u00A0", L"\u066C"}) {
            ASSERT_TRUE(SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, set));
            given.push_back(separator());
        }
    }
    EXPECT_EQ(given,
              (std::vector<std::string>{
                  ".", " ", " ", "failed with " + std::to_string(ERROR_NO_UNICODE_TRANSLATION)}));
    EXPECT_EQ(separator().rfind("failed", 0), std::string::npos);

    std::array<char, 1> tooSmall{'x'};
    EXPECT_EQ(platform.getThousandsSeparator(tooSmall), 0);
    EXPECT_EQ(platform.lastError(), static_cast<std::uint32_t>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(tooSmall[0], 'x');
}

}  // namespace
}  // namespace zarnel
