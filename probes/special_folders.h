// The special-folder lookup of the hard-disk tab: a folder name chosen in Combo1, its path in
// Text8.
#pragma once

#include <string_view>

#include "platform/platform.h"
#include "window/controls.h"

namespace zarnel {

// The shell folder number of an entry of Combo1; 0 (the desktop) for any other text.
int folderNumber(std::string_view entry);

// Combo1's click handler: the path of the selected folder, created when missing. A failed
// lookup empties Text8.
void Combo1_Click(Controls& controls, Platform& platform);

}  // namespace zarnel
