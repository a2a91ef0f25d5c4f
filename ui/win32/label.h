// A label that keeps its caption in this process and paints it itself. A static control keeps its
// text in the window system, so every rename is a round trip there; the time axis renames
// seventeen labels each second, and under wine each round trip costs tens of microseconds.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "ui/win32/named_accessible.h"

namespace zarnel::win32 {

// Makes a static control hold its caption here, starting from the text it was created with.
// WM_SETTEXT, WM_GETTEXT and WM_GETTEXTLENGTH then work on that copy, and the control paints it
// as a static control paints its text (same formatting, same WM_CTLCOLORSTATIC colours).
void keepCaption(HWND label);
const std::wstring& caption(HWND label);
// Changes the caption and leaves the repaint to the caller; false when it was this already.
bool setCaption(HWND label, std::wstring_view text);
// True while a repaint of the whole label is asked for and not yet painted.
bool repaintDue(HWND label);
// The caller has asked for a repaint of the whole label.
void markRepaintDue(HWND label);
// What the label tells a screen reader (an axis's range; that it is drawn only), in place of
// the system's answer.
void answerReaders(HWND label, ReaderAnswer answer);
bool answersReaders(HWND label);

}  // namespace zarnel::win32
