// The window's message loop. The Tab key follows the controls' tab order, not the order the
// windows are stacked in, so it is handled here rather than by the dialog manager; with Ctrl,
// Tab and PageDown turn to the next tab (PageUp and Shift to the one before) wherever the focus
// is, as a tabbed window's keys do.
#pragma once

#include <windows.h>

namespace zarnel::win32 {

class Win32Controls;

// The control the Tab key moves to from `from` (backwards with Shift): the next shown and
// enabled control in tab order, coming round at the end; none when no control is shown.
HWND nextTabStop(const Win32Controls& controls, HWND from, bool backwards);
// Moves the focus, or turns the tab with Ctrl, if `message` is a key press of those above meant
// for the window; true if it was.
bool handleTabKeys(Win32Controls& controls, const MSG& message);
// Scrolls a list sideways for Left or Right, if `message` is such a key press for a list whose
// lines are wider than itself (a long processor name); true if it was. The list itself would
// move its selection instead, and a one-column list has no column to move to.
bool handleListKeys(const Win32Controls& controls, const MSG& message);
// Passes the wheel on to the window, if `message` turns it over a list with nothing to scroll:
// the list would keep the turn, and a shrunk window would not scroll under it.
bool handleListWheel(const Win32Controls& controls, const MSG& message);
// Passes the wheel on to the window, if `message` turns it over a choice (a drive, a folder, the
// graph's speed) the user has not gone to: Windows sends the turn to the control under the
// pointer, which would change the choice as a shrunk window is scrolled past it.
bool handleChoiceWheel(const Win32Controls& controls, const MSG& message);
// Runs until the window is gone; returns the program's exit code.
int runMessageLoop(Win32Controls& controls);

}  // namespace zarnel::win32
