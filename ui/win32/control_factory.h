// One native control per kind of layout row, with the styles its row asks for (alignment,
// multi-line, edge). Position, font, visibility and contents are the caller's.
#pragma once

#include <windows.h>

#include "window/layout.h"

namespace zarnel::win32 {

// Extra pixels below a drop-down's closed field: room for its list when it opens.
inline constexpr int kDropDownListHeight = 200;

// A hidden child of `parent` with control id `id`, for a row that has a window (not the form,
// its menu items or the timer).
HWND createControl(const LayoutRow& row, HWND parent, int id);
// The style bits that align a label's or text box's text.
LONG_PTR alignmentStyle(Kind kind, Align align);
LONG_PTR alignmentMask(Kind kind);
bool takesFocus(Kind kind);
// The combo box and the drive list: a closed field over a list that opens.
bool isDropDown(Kind kind);

}  // namespace zarnel::win32
