// The drive list's first choice when the program starts from a folder without a drive letter,
// as from a network share.
#include <gtest/gtest.h>
#include <windows.h>

#include <cctype>
#include <string>

#include "platform/win32/win32_platform.h"

namespace zarnel {
namespace {

// wine's way to a folder outside its drives; on Windows a network share does the same.
constexpr wchar_t kFolderWithoutALetter[] = L"\\\\?\\unix\\tmp";

TEST(Win32CurrentDrive, AWorkingFolderWithoutALetterChoosesTheSystemDrive) {
    std::wstring before(MAX_PATH, L'\0');
    before.resize(GetCurrentDirectoryW(MAX_PATH, before.data()));
    if (!SetCurrentDirectoryW(kFolderWithoutALetter)) GTEST_SKIP() << "no such folder here";
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, current);

    Win32Platform platform;
    const DriveList drives = platform.drives();
    SetCurrentDirectoryW(before.c_str());

    ASSERT_NE(current[1], ':') << current;
    char windows[MAX_PATH] = {};
    ASSERT_GT(GetWindowsDirectoryA(windows, MAX_PATH), 0U);
    ASSERT_GE(drives.selected, 0);
    EXPECT_EQ(drives.entries[static_cast<std::size_t>(drives.selected)][0],
              static_cast<char>(std::tolower(static_cast<unsigned char>(windows[0]))));
}

}  // namespace
}  // namespace zarnel
