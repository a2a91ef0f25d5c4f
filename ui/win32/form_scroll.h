// The form's scroll bars: a window smaller than its contents (a short screen at 150 %, or a
// user who made it so) scrolls them instead of cutting them off. The contents keep their
// places; the controls lying on the form are shown moved by the offset.
#pragma once

#include <windows.h>

namespace zarnel::win32 {

class FormScroll {
  public:
    // The form's client area would be `room` pixels without its bars, which are `bars` thick
    // (a vertical one wide, a horizontal one high), and its contents are `content`: shows the
    // bars it needs and keeps the offset within them. True when the offset changed.
    bool resized(HWND form, SIZE room, SIZE bars, SIZE content);
    // A request of the form's own bar `bar` (SB_HORZ or SB_VERT), as WM_HSCROLL or WM_VSCROLL
    // brings it. True when the offset changed.
    bool requested(HWND form, int bar, WORD request, WORD thumb);
    // A turn of the wheel along `bar` by `delta` (WHEEL_DELTA a notch; positive away from the
    // user, or tilted right) with the system's setting of lines or characters a notch (or
    // WHEEL_PAGESCROLL). True when the offset changed.
    bool wheeled(HWND form, int bar, int delta, UINT stepsPerNotch);
    // Scrolls the least that shows `area` (in content pixels) whole, or its top left corner
    // when it is larger than the client area. True when the offset changed.
    bool reveal(HWND form, const RECT& area);
    // The contents are drawn at `to` dots per inch rather than `from`: the offset keeps the
    // place scrolled to. Takes effect as the form is resized for the new scale.
    void rescale(int from, int to);
    // How far the contents are scrolled: a point at (x, y) of them shows at (x, y) - offset.
    POINT offset() const { return offset_; }

  private:
    bool moveTo(HWND form, POINT wanted);
    LONG largest(int bar) const;

    SIZE client_{};
    SIZE content_{};
    POINT offset_{};
    // What the wheel turned short of a whole pixel along each bar, in pixels times WHEEL_DELTA.
    struct WheelRest {
        long long x = 0;
        long long y = 0;
    } wheelRest_;
};

}  // namespace zarnel::win32
