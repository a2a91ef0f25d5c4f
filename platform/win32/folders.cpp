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
    const std::wstring_view wide(system, wcsnlen(system, MAX_PATH));
    const std::string text = ansiOf(wide);
    // A path that does not fit whole is refused: a cut one names another folder.
    const bool whole = wide.size() < MAX_PATH && text.size() < MAX_PATH;
    std::uint32_t len = static_cast<std::uint32_t>(path.size());
    if (!whole || copyName(text, path, len, LengthOnSuccess::WithoutNul, win32_error::kMoreData,
                           lastError_) == 0) {
        lastError_ = win32_error::kMoreData;
        return E_FAIL;
    }
    return result;
}

}  // namespace zarnel
