// The taskbar state a panel's settings give.
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace zarnel::linux_fs {

// A panel that hides lifts itself above the windows when it is summoned, whatever its layer;
// one that shows is above them only from a layer over theirs.
inline constexpr std::uint32_t panelState(bool hides, bool aboveWindows) {
    return (hides ? app_bar_state::kAutoHide : 0) |
           (hides || aboveWindows ? app_bar_state::kAlwaysOnTop : 0);
}

}  // namespace zarnel::linux_fs
