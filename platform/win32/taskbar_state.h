// The taskbar state as it is, from ABM_GETSTATE's answer.
#pragma once

// The shell header brings windows.h first, as shellapi.h needs.
#include <shlobj.h>

#include <cstdint>

namespace zarnel::win32 {

// Since Windows 7 the taskbar is always on top, and ABM_GETSTATE no longer says so: its
// ABS_ALWAYSONTOP bit stays clear, which must not be read as "not on top". Where the shell's
// taskbar is shown the bit is set again; without it (another shell) the answer stands.
constexpr std::uint32_t taskbarState(std::uint32_t answer, bool shellTaskbarShown) {
    return shellTaskbarShown ? answer | ABS_ALWAYSONTOP : answer;
}

}  // namespace zarnel::win32
