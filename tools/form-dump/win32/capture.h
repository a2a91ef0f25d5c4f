// A window's client area as it shows on screen, read back with BitBlt.
#pragma once

#include <windows.h>

#include "tools/form-dump/win32/png.h"

namespace zarnel::tools {

// Paints everything pending first, children included.
RgbImage captureClient(HWND window);
// What the client area shows now, with no repaint asked for: what was left unpainted shows as
// it was.
RgbImage captureShown(HWND window);

}  // namespace zarnel::tools
