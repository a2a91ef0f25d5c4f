// The special-folder lookup of the hard-disk tab: a folder name chosen in Combo1, its path in
// Text8.
#pragma once

#include <span>
#include <string_view>

#include "app/controls.h"
#include "platform/platform.h"

namespace zarnel {

// An entry of Combo1 and the shell folder number it stands for.
struct SpecialFolder {
    std::string_view entry;
    int csidl;
};

// Every entry of Combo1 with its folder number, in the list's order.
std::span<const SpecialFolder> specialFolders();

// The shell folder number of an entry of Combo1; 0 (the desktop) for any other text.
int folderNumber(std::string_view entry);

// Combo1's click handler: the path of the selected folder, created when missing. A failed
// lookup empties Text8.
void Combo1_Click(Controls& controls, Platform& platform);

}  // namespace zarnel
