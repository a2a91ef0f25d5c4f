#include <algorithm>

#include "platform/win32/win32_platform.h"

namespace zarnel {

std::int32_t Win32Platform::getFolderPath(Hwnd owner, int csidl, std::span<char> path) {
    // The system writes up to MAX_PATH bytes whatever the caller holds.
    char system[MAX_PATH] = {};
    const HRESULT result =
        call(shGetFolderPathA_, reinterpret_cast<HWND>(owner), csidl, nullptr, 0, system);
    if (FAILED(result) || path.empty()) return result;
    const std::string_view text(system);
    const std::size_t kept = std::min(text.size(), path.size() - 1);
    std::copy_n(text.begin(), kept, path.begin());
    path[kept] = '\0';
    return result;
}

}  // namespace zarnel
