// The taskbar's state as the X11 desktop shows it: panels are dock windows (EWMH).
#pragma once

#include <cstdint>

namespace zarnel::linux_x11 {

// ABM_GETSTATE bits from the docks mapped on `displayName`: a dock stays on top (2); one that
// reserves no strut hides itself when not in use (1). No display or no dock: 0.
std::uint32_t dockTaskbarState(const char* displayName);

}  // namespace zarnel::linux_x11
