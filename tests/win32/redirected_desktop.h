// The desktop folder of the prefix's user, redirected for one test.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace zarnel::testing {

// The desktop folder redirected elsewhere for one test, and put back as it was.
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

}  // namespace zarnel::testing
