// The facts read from the management service: registration on the PC tab, processor and
// BIOS on the hardware tab. Each probe traps its own failures and shows "取得不能".
#pragma once

#include "platform/platform.h"
#include "window/controls.h"

namespace zarnel {

// Text11 and Text12: the organisation and the registered owner of the operating system.
void TourokuKaisya(Controls& controls, Platform& platform);
// List2: manufacturer, name, version, clock speed and socket of the last processor listed, or
// as many as could be read followed by "取得不能". Shown again unchanged, the list is left as it
// is (and so is List3 by its probe).
void Pruseltusa(Controls& controls, Platform& platform);
// List3: manufacturer, release date, version, status and version string of the BIOS.
void Biosjyouhou(Controls& controls, Platform& platform);

}  // namespace zarnel
