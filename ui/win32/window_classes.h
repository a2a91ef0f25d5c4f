// The window classes of our own (the form and the picture box) and the subclass that lets a
// frame pass its children's notifications on to the form, where the handlers are.
#pragma once

#include <windows.h>

namespace zarnel::win32 {

inline constexpr const wchar_t* kFormClass = L"ZarnelForm";
inline constexpr const wchar_t* kPictureClass = L"ZarnelPictureBox";
// The picture box tells the form about a click on itself (not on a control inside it) with
// WM_COMMAND and this code, as a clickable static does.
inline constexpr WORD kPictureClicked = STN_CLICKED;

// Registers both classes once per process; the form's messages go to `formProcedure`.
void registerClasses(WNDPROC formProcedure);
// Makes a group box pass its children's notifications and colour requests to the form, and
// paint its own background.
void forwardToForm(HWND frame);

}  // namespace zarnel::win32
