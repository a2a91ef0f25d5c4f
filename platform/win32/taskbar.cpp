#include "platform/win32/win32_platform.h"

namespace zarnel {

std::uint32_t Win32Platform::appBarGetState() {
    APPBARDATA record{};
    // The whole record: the 20-byte form of 32-bit days fails on 64-bit Windows.
    record.cbSize = sizeof(APPBARDATA);
    return static_cast<std::uint32_t>(call(shAppBarMessage_, ABM_GETSTATE, &record));
}

}  // namespace zarnel
