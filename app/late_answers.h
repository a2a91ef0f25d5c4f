// A share or disc that answered after the window had shown its drive or folder without the
// answer: what is chosen is shown again.
#pragma once

#include "platform/platform.h"
#include "window/controls.h"

namespace zarnel {

// Shows the chosen drive again, and the chosen folder once one is chosen (a start-up that
// stopped before choosing one leaves Combo1 with none).
void showChosenAgain(Controls& controls, Platform& platform);

// Shows again each fact of the hardware that could not be had (a management service still
// starting when the window opened): its late answer fills it in.
void showHardwareAgain(Controls& controls, Platform& platform);

}  // namespace zarnel
