// A window's client area as it shows on screen, read back with BitBlt.
#pragma once

#include <windows.h>

#include "tools/form-dump/win32/png.h"

namespace zarnel::tools {

// Paints everything pending first, children included.
RgbImage captureClient(HWND window);

}  // namespace zarnel::tools
