#include <algorithm>
#include <cwchar>

#include "platform/errors.h"
#include "platform/name_copy.h"
#include "platform/win32/win32_platform.h"

namespace zarnel {

std::int32_t Win32Platform::getFolderPath(Hwnd owner, int csidl, std::span<char> path) {
    // The system writes up to MAX_PATH units whatever the caller holds; a longer path fills
    // them all and may end with no NUL.
    wchar_t system[MAX_PATH] = {};
    const HRESULT result =
        call(shGetFolderPathW_, reinterpret_cast<HWND>(owner), csidl, nullptr, 0, system);
    if (FAILED(result)) return result;
    // A path that does not fit whole is refused, as is one of MAX_PATH bytes or more in the
    // code page: a cut one names another folder.
    std::uint32_t len = static_cast<std::uint32_t>(std::min<std::size_t>(path.size(), MAX_PATH));
    if (wcsnlen(system, MAX_PATH) == MAX_PATH ||
        copyInCodePage({system, MAX_PATH}, path, len, LengthOnSuccess::WithoutNul,
                       win32_error::kMoreData) == 0) {
        lastError_ = win32_error::kMoreData;
        return E_FAIL;
    }
    return result;
}

}  // namespace zarnel
