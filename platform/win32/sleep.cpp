#include "platform/win32/win32_platform.h"

namespace zarnel {

void Win32Platform::sleep(std::uint32_t milliseconds) {
    call(sleep_, static_cast<DWORD>(milliseconds));
}

}  // namespace zarnel
