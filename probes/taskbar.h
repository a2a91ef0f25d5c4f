// The taskbar frame of the PC tab.
#pragma once

#include "platform/platform.h"
#include "window/controls.h"

namespace zarnel {

// Text9 by the auto-hide bit, Text10 by the always-on-top bit of the taskbar's state. A failed
// query reads as 0: both settings off.
void TaskbarSettings(Controls& controls, Platform& platform);

}  // namespace zarnel
