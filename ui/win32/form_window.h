// The form's window procedure: turns the messages that reach the form (its own and those its
// containers pass on) into calls on the form's events.
#pragma once

#include <windows.h>

namespace zarnel::win32 {

// Timer1's timer id on the form.
inline constexpr UINT_PTR kTimerId = 1;
// Why the window closes, as the close handler is told.
inline constexpr short kClosedByUser = 0;
// Posted to the form when a question about a drive or a folder on one answered after the
// window had stopped waiting for it.
inline constexpr UINT kLateAnswer = WM_APP + 1;

LRESULT CALLBACK formProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace zarnel::win32
