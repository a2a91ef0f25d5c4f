// A per-user folder the machine does not have yet: the lookup with the create flag makes it
// and answers its path; without the flag it stays unmade.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

#include "platform/codec.h"
#include "platform/errors.h"
#include "platform/platform.h"
#include "platform/win32/win32_platform.h"

namespace zarnel {
namespace {

constexpr const wchar_t* kShellFolders =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

// Points the user's Favorites at `where` for as long as it lives, then puts the old value back.
class MovedFavorites {
  public:
    explicit MovedFavorites(const std::wstring& where) {
        RegOpenKeyExW(HKEY_CURRENT_USER, kShellFolders, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key_);
        DWORD size = sizeof old_;
        had_ = RegQueryValueExW(key_, L"Favorites", nullptr, &type_, reinterpret_cast<BYTE*>(old_),
                                &size) == ERROR_SUCCESS;
        set(REG_EXPAND_SZ, where.c_str());
    }
    ~MovedFavorites() {
        if (had_)
            set(type_, old_);
        else
            RegDeleteValueW(key_, L"Favorites");
        RegCloseKey(key_);
    }
    MovedFavorites(const MovedFavorites&) = delete;
    MovedFavorites& operator=(const MovedFavorites&) = delete;

  private:
    void set(DWORD type, const wchar_t* value) {
        RegSetValueExW(key_, L"Favorites", 0, type, reinterpret_cast<const BYTE*>(value),
                       static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
    }
    HKEY key_ = nullptr;
    DWORD type_ = REG_EXPAND_SZ;
    wchar_t old_[MAX_PATH] = {};
    bool had_ = false;
};

TEST(Win32Folders, AMissingFolderIsMadeOnlyWhenAskedAndShownWhole) {
    const std::filesystem::path base = std::filesystem::temp_directory_path() /
                                       (L"zarnel-" + std::to_wstring(GetCurrentProcessId()));
    const std::filesystem::path folder = base / L"お気に入り" / L"深い";
    std::filesystem::remove_all(base);
    const MovedFavorites moved(folder.wstring());
    Win32Platform platform;

    std::string path(kMaxPath, '\0');
    EXPECT_LT(platform.getFolderPath(0, csidl::kFavorites, path), 0);
    EXPECT_EQ(path, std::string(kMaxPath, '\0'));
    EXPECT_FALSE(std::filesystem::exists(folder));

    EXPECT_EQ(platform.getFolderPath(0, csidl::kFavorites | kCsidlFlagCreate, path), kSOk);
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    const std::string shown = textBeforeNul(platform.ansi(), path);
    const std::u8string expected = folder.u8string();
    EXPECT_EQ(shown, std::string(expected.begin(), expected.end()));
    std::filesystem::remove_all(base);
}

}  // namespace
}  // namespace zarnel
