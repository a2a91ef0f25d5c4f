// The path every disk probe hands to the platform, built afresh from the drive list.
#pragma once

#include <string>
#include <string_view>

#include "window/controls.h"

namespace zarnel {

// The first two characters of a drive entry and a backslash: "d: [/data]" gives "d:\".
// Whatever follows the letter and colon (a label, a share) never reaches the platform.
std::string rootPathOf(std::string_view driveEntry);

// The root path of the entry selected in Drive1.
std::string rootPath(const Controls& controls);

}  // namespace zarnel
