// The facts read from the management service: registration on the PC tab, processor and
// BIOS on the hardware tab. Each probe traps its own failures and shows "取得不能".
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"
#include "window/controls.h"

namespace zarnel {

// Text11 and Text12: the organisation and the registered owner of the operating system.
void TourokuKaisya(Controls& controls, Platform& platform);
// The lines List2 and List3 show: the processor's and the BIOS's facts, or as many as could be
// read followed by "取得不能".
std::vector<std::string> processorLines(Platform& platform);
std::vector<std::string> biosLines(Platform& platform);

// List2: manufacturer, name, version, clock speed and socket of the last processor listed.
void Pruseltusa(Controls& controls, Platform& platform);
// List3: manufacturer, release date, version, status and version string of the BIOS.
void Biosjyouhou(Controls& controls, Platform& platform);

}  // namespace zarnel
