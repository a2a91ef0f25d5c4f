// The system's ANSI code page under the prefix's Japanese locale (ja_JP.UTF-8 gives 932, as on
// the Japanese PCs the window is for).
#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <cctype>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/win32/win32_platform.h"

namespace zarnel {
namespace {

constexpr unsigned kShiftJis = 932;

TEST(Win32AnsiCodePage, ProviderSpeaksTheSystemCodePage) {
    ASSERT_EQ(GetACP(), kShiftJis) << "run under tools/wine/wineprefix.sh (ja_JP.UTF-8)";
    Win32Platform platform;
    EXPECT_EQ(platform.ansi().codePage(), "CP932");
    const std::string text = "株式会社テスト 田中太郎";
    const std::string bytes = platform.ansi().fromText(text);
    EXPECT_NE(bytes, text) << "converted, not passed through";
    EXPECT_EQ(platform.ansi().toText(bytes), text);
}

TEST(Win32AnsiCodePage, OnlyUtf8AcpAndCpNumbersNameAPage) {
    EXPECT_EQ(makeAnsiCodec("CP932")->codePage(), "CP932");
    EXPECT_EQ(makeAnsiCodec("UTF-8")->codePage(), "UTF-8");
    EXPECT_THROW(makeAnsiCodec("CP932x"), std::invalid_argument);
    EXPECT_THROW(makeAnsiCodec("CP"), std::invalid_argument);
    EXPECT_THROW(makeAnsiCodec("SHIFT-JIS-ISH"), std::invalid_argument);
}

// A folder within MAX_PATH characters whose name takes more than MAX_PATH bytes in the code
// page: started there, the drive list still selects the folder's drive.
TEST(Win32AnsiCodePage, LongJapaneseWorkingFolderKeepsItsDriveSelected) {
    constexpr int kKanji = 150;  // 300 bytes in CP932
    std::wstring folder(MAX_PATH, L'\0');
    folder.resize(GetTempPathW(MAX_PATH, folder.data()));
    ASSERT_FALSE(folder.empty());
    folder += std::wstring(kKanji, L'\u65E5');
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr) ||
                GetLastError() == ERROR_ALREADY_EXISTS);
    std::wstring before(MAX_PATH, L'\0');
    before.resize(GetCurrentDirectoryW(MAX_PATH, before.data()));
    ASSERT_TRUE(SetCurrentDirectoryW(folder.c_str()));

    Win32Platform platform;
    const DriveList drives = platform.drives();
    SetCurrentDirectoryW(before.c_str());
    RemoveDirectoryW(folder.c_str());

    ASSERT_GE(drives.selected, 0);
    const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(folder[0])));
    EXPECT_EQ(drives.entries[static_cast<std::size_t>(drives.selected)][0], letter);
}

// The desktop folder redirected to a name with a character the code page lacks, for one test.
class RedirectedDesktop {
  public:
    explicit RedirectedDesktop(const std::wstring& to) {
        RegOpenKeyExW(HKEY_CURRENT_USER, kUserShellFolders, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                      &key_);
        DWORD size = 0;
        had_ = RegQueryValueExW(key_, kDesktop, nullptr, &type_, nullptr, &size) == ERROR_SUCCESS;
        before_.resize(size);
        if (had_) RegQueryValueExW(key_, kDesktop, nullptr, &type_, before_.data(), &size);
        set(REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(to.c_str()),
            static_cast<DWORD>((to.size() + 1) * sizeof(wchar_t)));
    }
    ~RedirectedDesktop() {
        if (had_) {
            set(type_, before_.data(), static_cast<DWORD>(before_.size()));
        } else {
            RegDeleteValueW(key_, kDesktop);
        }
        RegCloseKey(key_);
    }
    RedirectedDesktop(const RedirectedDesktop&) = delete;
    RedirectedDesktop& operator=(const RedirectedDesktop&) = delete;

  private:
    static constexpr wchar_t kUserShellFolders[] =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
    static constexpr wchar_t kDesktop[] = L"Desktop";

    void set(DWORD type, const BYTE* data, DWORD size) {
        RegSetValueExW(key_, kDesktop, 0, type, data, size);
    }

    HKEY key_ = nullptr;
    bool had_ = false;
    DWORD type_ = REG_EXPAND_SZ;
    std::vector<BYTE> before_;
};

// A character the code page lacks becomes '?': the system's own code-page form would write a
// look-alike ("Cafe"), the path of another folder.
TEST(Win32AnsiCodePage, AFolderNameTheCodePageLacksKeepsItsPlaceAsAQuestionMark) {
    const RedirectedDesktop redirected(L"%USERPROFILE%\\Caf\u00E9");
    Win32Platform platform;
    char path[MAX_PATH] = {};
    ASSERT_EQ(platform.getFolderPath(0, CSIDL_DESKTOPDIRECTORY | CSIDL_FLAG_DONT_VERIFY, path),
              S_OK);
    const std::string shown(path);
    EXPECT_TRUE(shown.ends_with("\\Caf?")) << shown;
}

}  // namespace
}  // namespace zarnel
