// The controls that the Tab key visits, in order, found by pressing it.
#pragma once

#include <string>
#include <vector>

namespace zarnel::win32 {
class Win32Controls;
}

namespace zarnel::tools {

// Starts on the tab strip and presses Tab until focus comes back there.
std::vector<std::string> focusChain(win32::Win32Controls& controls);

}  // namespace zarnel::tools
