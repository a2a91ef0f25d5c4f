#include "platform/win32/win32_platform.h"

namespace zarnel {

std::intptr_t Win32Platform::shellOpen(Hwnd owner, std::string_view file) {
    const std::string path(file);
    const HINSTANCE result = call(shellExecuteA_, reinterpret_cast<HWND>(owner), "open",
                                  path.c_str(), "", "", SW_SHOWNORMAL);
    return reinterpret_cast<std::intptr_t>(result);
}

}  // namespace zarnel
