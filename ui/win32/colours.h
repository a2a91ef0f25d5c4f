// The window's stored colours (00BBGGRR, or a system colour with the top bit set) as GDI colours.
#pragma once

#include <windows.h>

#include "window/controls.h"

namespace zarnel::win32 {

// Button face: what the window and a fresh picture box are painted with.
inline constexpr Colour kButtonFace = 0x8000000F;

COLORREF toColorRef(Colour colour);

}  // namespace zarnel::win32
