#include "platform/win32/taskbar_state.h"
#include "platform/win32/win32_platform.h"

namespace zarnel {

std::uint32_t Win32Platform::appBarGetState() {
    APPBARDATA record{};
    // The whole record: the 20-byte form of 32-bit days fails on 64-bit Windows.
    record.cbSize = sizeof(APPBARDATA);
    const auto answer = static_cast<std::uint32_t>(call(shAppBarMessage_, ABM_GETSTATE, &record));
    return win32::taskbarState(answer, FindWindowW(L"Shell_TrayWnd", nullptr) != nullptr);
}

}  // namespace zarnel
