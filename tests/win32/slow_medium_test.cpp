// A disc that spins up or is read again and again, or an empty floppy drive, holds the volume
// and free-space calls for seconds: the window must not wait for it on its own thread, and a
// drive that is still being asked is not asked again. A fixed disk is still asked directly.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/errors.h"
#include "platform/win32/win32_platform.h"

namespace zarnel {
namespace {

constexpr std::uint32_t kNameBuffer = 261;
constexpr std::uint32_t kFileSystemBuffer = 32;

// Bound to lstrlenA, GetDriveTypeA gives the root's length: "r:" is removable (2), "e:\.\"
// (the root of e: with a dot) a CD-ROM drive (5), "f:\" fixed (3). Bound to Sleep, a call that
// takes the root's address for its milliseconds never answers; bound to GetCurrentThreadId, it
// answers at once with the id of the thread that asked it.
struct SlowDrive {
    std::uint32_t type;
    std::string root;
    std::string otherSpelling;
    // Which of the two questions never answers; the other would answer at once if asked.
    bool volumeStalls;
};
const SlowDrive kSlowDrives[] = {
    {.type = drive_type::kRemovable, .root = "r:", .otherSpelling = "R:", .volumeStalls = true},
    {.type = drive_type::kCdRom,
     .root = "e:\\.\\",
     .otherSpelling = "E:\\.\\",
     .volumeStalls = false},
};

int volumeInformation(Win32Platform& platform, const std::string& root) {
    std::string name(kNameBuffer, '\0');
    std::string fileSystem(kFileSystemBuffer, '\0');
    std::uint32_t serial = 0;
    std::uint32_t component = 0;
    std::uint32_t flags = 0;
    return platform.getVolumeInformation(root, name, serial, component, flags, fileSystem);
}

int freeSpace(Win32Platform& platform, const std::string& root) {
    std::uint64_t available = 0;
    std::uint64_t total = 0;
    std::uint64_t free = 0;
    return platform.getDiskFreeSpaceEx(root, available, total, free);
}

// The space is asked with the older call, whose stand-in the tests bind, as on Windows before
// 1809 and on wine.
const std::pair<const std::string, std::string> kOlderSpaceCallOnly{
    "GetDiskSpaceInformationW", "GetDiskSpaceInformationNotExported"};

// The stalled question is not ready; the drive still owes its answer, so the other question,
// under either spelling of its letter, is not asked and is not ready either.
TEST(Win32SlowMedium, AStalledQuestionIsNotReadyAndHoldsTheDrive) {
    for (const SlowDrive& drive : kSlowDrives) {
        SCOPED_TRACE(drive.root);
        const char* stalled = "Sleep";
        const char* prompt = "GetCurrentThreadId";
        Win32Platform platform(
            win32::ExportNames{{"GetDriveTypeA", "lstrlenA"},
                               {"GetVolumeInformationW", drive.volumeStalls ? stalled : prompt},
                               {"GetDiskFreeSpaceExA", drive.volumeStalls ? prompt : stalled},
                               kOlderSpaceCallOnly});
        ASSERT_EQ(platform.getDriveType(drive.root), drive.type);

        const auto ask = [&](bool volume, const std::string& root) {
            return volume ? volumeInformation(platform, root) : freeSpace(platform, root);
        };
        EXPECT_EQ(ask(drive.volumeStalls, drive.root), 0);
        EXPECT_EQ(platform.lastError(), win32_error::kNotReady);
        EXPECT_EQ(ask(!drive.volumeStalls, drive.otherSpelling), 0);
        EXPECT_EQ(platform.lastError(), win32_error::kNotReady);
    }
}

// A fixed disk slow to answer (one waking from standby) is waited for: asked on the caller's
// own thread, never cut short by a deadline.
TEST(Win32SlowMedium, AFixedDiskIsAskedOnTheCallersThread) {
    Win32Platform platform(win32::ExportNames{{"GetDriveTypeA", "lstrlenA"},
                                              {"GetVolumeInformationW", "GetCurrentThreadId"},
                                              {"GetDiskFreeSpaceExA", "GetCurrentThreadId"},
                                              kOlderSpaceCallOnly});
    const std::string root = "f:\\";
    ASSERT_EQ(platform.getDriveType(root), drive_type::kFixed);

    EXPECT_EQ(static_cast<DWORD>(volumeInformation(platform, root)), GetCurrentThreadId());
    EXPECT_EQ(static_cast<DWORD>(freeSpace(platform, root)), GetCurrentThreadId());
}

}  // namespace
}  // namespace zarnel
