// Where the controls and the form stand: placed from their twips at the window's DPI, moved by
// the form's scrolling, and placed anew when the DPI changes.
#include "ui/win32/win32_controls.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/win32/control_factory.h"
#include "ui/win32/label.h"

namespace zarnel::win32 {
namespace {

constexpr UINT kPlaceOnly = SWP_NOZORDER | SWP_NOACTIVATE;
// A child that moves or resizes would have its container erase what it uncovered at once, and
// wine then walks every window below the container that waits for a repaint: milliseconds while
// the axis labels wait for theirs. The uncovered part is erased with the next repaint instead.
constexpr UINT kMoveChild = kPlaceOnly | SWP_DEFERERASE;
// Pixels of the strip that the tabs leave free: the selected tab stands out by a few pixels, and
// tabs that do not all fit get scroll arrows.
constexpr int kTabStripSlack = 8;
constexpr int kDropDownFits = 3;

}  // namespace

void Win32Controls::place(Element& target) {
    if (target.hwnd == window_) {
        placeWindow();
        return;
    }
    const Geometry& g = target.geometry;
    int left = scale_.toPixels(g.left);
    int top = scale_.toPixels(g.top);
    const int width = scale_.toPixels(g.width);
    const int height = scale_.toPixels(g.height);
    if (target.row->tabPage != kNoTabPage) {
        const Geometry& tabs = elements_.at(Ctl::SSTab1, 0).geometry;
        left += scale_.toPixels(tabs.left);
        top += scale_.toPixels(tabs.top);
    }
    const Kind kind = target.row->kind;
    if (isDropDown(kind)) {
        target.placed = {left, top, left + width, top + height};
        const RECT at = shown(target, target.placed);
        SetWindowPos(target.hwnd, nullptr, at.left, at.top, width, height + kDropDownListHeight,
                     kPlaceOnly);
        // A drop-down's closed height follows its field's: move the field's height by what the
        // closed height misses until the two agree. What the field reports and what it takes
        // differ by its edges, and by system, so only the asked height is moved.
        auto field = SendMessageW(target.hwnd, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
        for (int attempt = 0; attempt < kDropDownFits; ++attempt) {
            RECT closed{};
            GetWindowRect(target.hwnd, &closed);
            const auto missing = height - (closed.bottom - closed.top);
            if (missing == 0) break;
            field += missing;
            SendMessageW(target.hwnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
        }
        return;
    }
    moveTo(target, {left, top, left + width, top + height});
    if (kind == Kind::TabControl) {
        const int stripHeight = scale_.toPixels(layout::kTabStripHeight);
        SendMessageW(target.hwnd, TCM_SETITEMSIZE, 0,
                     MAKELPARAM((width - kTabStripSlack) / layout::kTabCount, stripHeight));
    }
}

// Moves a child window, unless it is there already: the time axis re-places all its labels
// every second, most of them where they were, and each move repaints. Where it is comes from the
// element, not from the window: reading it back is two calls into wine per control.
void Win32Controls::moveTo(Element& target, const RECT& r) {
    if (EqualRect(&target.placed, &r)) return;
    const RECT at = shown(target, r);
    SetWindowPos(target.hwnd, nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
                 kMoveChild);
    target.placed = r;
}

RECT Win32Controls::shown(const Element& target, RECT r) const {
    if (target.onForm) OffsetRect(&r, -scroll_.offset().x, -scroll_.offset().y);
    return r;
}

void Win32Controls::followScroll() {
    for (auto& [key, target] : elements_) {
        if (!target.onForm) continue;
        const RECT at = shown(target, target.placed);
        SetWindowPos(target.hwnd, nullptr, at.left, at.top, 0, 0, kPlaceOnly | SWP_NOSIZE);
    }
}

void Win32Controls::formResized() {
    const Geometry& design = elements_.at(Ctl::Form1, 0).geometry;
    const SIZE content{scale_.toPixels(design.width), scale_.toPixels(design.height)};
    if (scroll_.resized(window_, clientWithoutBars(), scrollBars(), content)) followScroll();
}

void Win32Controls::formScrolled(int bar, WORD request, WORD thumb) {
    if (scroll_.requested(window_, bar, request, thumb)) followScroll();
}

void Win32Controls::formWheeled(int bar, int delta) {
    UINT stepsPerNotch = 0;
    const UINT setting = bar == SB_HORZ ? SPI_GETWHEELSCROLLCHARS : SPI_GETWHEELSCROLLLINES;
    if (!SystemParametersInfoW(setting, 0, &stepsPerNotch, 0)) return;
    if (scroll_.wheeled(window_, bar, delta, stepsPerNotch)) followScroll();
}

void Win32Controls::reveal(HWND control) {
    RECT area{};
    GetWindowRect(control, &area);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&area), 2);
    OffsetRect(&area, scroll_.offset().x, scroll_.offset().y);
    if (scroll_.reveal(window_, area)) followScroll();
}

void Win32Controls::placeWindow() {
    const Geometry& g = elements_.at(Ctl::Form1, 0).geometry;
    const int width = scale_.toPixels(g.width);
    const int height = scale_.toPixels(g.height);
    RECT frame{0, 0, width, height};
    AdjustWindowRectExForDpi(&frame, kFormStyle, TRUE, 0, static_cast<UINT>(scale_.dpi()));
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | kPlaceOnly);
    // A menu bar that wraps takes more than one line: correct by what the client area lacks.
    const SIZE room = clientWithoutBars();
    SIZE whole{frame.right - frame.left + width - room.cx,
               frame.bottom - frame.top + height - room.cy};
    RECT now{};
    GetWindowRect(window_, &now);
    RECT at = now;
    // No larger than the screen's free area, and inside it: at 150 % a 720-line screen is
    // shorter than the window, whose bottom would be out of reach. The contents then scroll,
    // and the window is wider by the scroll bar, where the screen has the room.
    MONITORINFO monitor{sizeof(monitor), {}, {}, 0};
    if (GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& work = monitor.rcWork;
        if (whole.cy > work.bottom - work.top) whole.cx += scrollBars().cx;
        whole = {std::min(whole.cx, work.right - work.left),
                 std::min(whole.cy, work.bottom - work.top)};
        at.left = std::max(work.left, std::min(at.left, work.right - whole.cx));
        at.top = std::max(work.top, std::min(at.top, work.bottom - whole.cy));
    }
    if (now.left != at.left || now.top != at.top || now.right - now.left != whole.cx ||
        now.bottom - now.top != whole.cy) {
        SetWindowPos(window_, nullptr, at.left, at.top, whole.cx, whole.cy, kPlaceOnly);
    }
}

SIZE Win32Controls::clientWithoutBars() const {
    RECT client{};
    GetClientRect(window_, &client);
    const LONG_PTR style = GetWindowLongPtrW(window_, GWL_STYLE);
    const SIZE bars = scrollBars();
    return {client.right + ((style & WS_VSCROLL) ? bars.cx : 0),
            client.bottom + ((style & WS_HSCROLL) ? bars.cy : 0)};
}

SIZE Win32Controls::scrollBars() const {
    const auto dpi = static_cast<UINT>(scale_.dpi());
    return {GetSystemMetricsForDpi(SM_CXVSCROLL, dpi), GetSystemMetricsForDpi(SM_CYHSCROLL, dpi)};
}

bool Win32Controls::atDesignSize() const {
    const Geometry& g = elements_.at(Ctl::Form1, 0).geometry;
    const SIZE room = clientWithoutBars();
    return room.cx == scale_.toPixels(g.width) && room.cy == scale_.toPixels(g.height);
}

// The window takes the rectangle Windows suggests for the new screen, as WM_DPICHANGED asks, so
// a size the user chose, or a maximised window, is kept. Only a window at its design size is
// sized to the design again: the suggestion scales the old frame, and a menu bar that wraps
// otherwise, or a shorter screen, would leave it off.
void Win32Controls::dpiChanged(int dpi, const RECT& suggested) {
    const bool resizeToDesign = !IsZoomed(window_) && atDesignSize();
    scroll_.rescale(scale_.dpi(), dpi);
    scale_ = Scale(dpi);
    fonts_.rebuild(dpi);
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, kPlaceOnly);
    for (auto& [key, target] : elements_) {
        if (target.hwnd == window_) continue;
        target.shrunk = nullptr;  // deleted with the old fonts; fitted again below
        // Not drawn now: a label would paint at its old place and size, and all is drawn below.
        SendMessageW(target.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.font(target.font)),
                     FALSE);
        place(target);
        refit(target, target.row->kind == Kind::Label ? caption(target.hwnd) : target.text);
        // Its captions and lines are as wide as the new fonts make them.
        if (target.row->kind == Kind::ListBox) alignColumns(target);
    }
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.font(FontRole::Default)),
                 FALSE);
    if (resizeToDesign) placeWindow();
    // The contents have grown or shrunk in pixels, whether or not the client area did.
    formResized();
    // Everything drawn afresh at the new scale, once.
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace zarnel::win32
