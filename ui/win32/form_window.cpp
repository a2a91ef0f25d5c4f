#include "ui/win32/form_window.h"

#include <commctrl.h>
#include <dbt.h>

#include "ui/win32/form_events.h"
#include "ui/win32/message_loop.h"
#include "ui/win32/win32_controls.h"
#include "ui/win32/window_classes.h"
#include "window/contrast.h"

namespace zarnel::win32 {
namespace {

Win32Controls* controlsOf(HWND window) {
    return reinterpret_cast<Win32Controls*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void command(Win32Controls& controls, FormEvents& events, WPARAM wParam, LPARAM lParam) {
    const std::optional<Ctl> ctl = controls.ctlOfId(LOWORD(wParam));
    if (!ctl) return;
    const WORD code = HIWORD(wParam);
    if (lParam == 0) {
        events.clicked(*ctl);  // a menu item
        return;
    }
    const Kind kind = layoutRow(*ctl).kind;
    if (kind == Kind::CommandButton && code == BN_CLICKED) events.clicked(*ctl);
    if (kind == Kind::PictureBox && code == kPictureClicked) events.clicked(*ctl);
    if (kind != Kind::ComboBox && kind != Kind::DriveList) return;
    const auto list = reinterpret_cast<HWND>(lParam);
    const int selection = static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0));
    DropDownPicks& picks = controls.dropDownPicks();
    bool picked = false;
    if (code == CBN_DROPDOWN) picks.settled(*ctl, selection);
    if (code == CBN_SELCHANGE) {
        picked = picks.changed(*ctl, selection, SendMessageW(list, CB_GETDROPPEDSTATE, 0, 0));
    }
    if (code == CBN_CLOSEUP) picked = picks.closed(*ctl, selection);
    if (picked) events.picked(*ctl);
    if (code == CBN_CLOSEUP) controls.listClosed();
}

LRESULT colour(Win32Controls& controls, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    HBRUSH brush = controls.backBrush(reinterpret_cast<HWND>(lParam));
    // Labels and frame captions stand on the button face, where the window's text colour need
    // not read: a high-contrast theme may give the face a colour of its own.
    if (!brush && message == WM_CTLCOLORSTATIC) brush = GetSysColorBrush(COLOR_BTNFACE);
    if (!brush) return DefWindowProcW(window, message, wParam, lParam);
    LOGBRUSH fill{};
    GetObjectW(brush, sizeof(fill), &fill);
    const auto dc = reinterpret_cast<HDC>(wParam);
    SetBkColor(dc, fill.lbColor);
    // The theme's text, unless it vanishes on this face: a high-contrast theme's light text on
    // a picture box's fixed white, or its dark one on a face the theme darkened.
    SetTextColor(dc, colour::readableOn(fill.lbColor, GetSysColor(COLOR_WINDOWTEXT)));
    return reinterpret_cast<LRESULT>(brush);
}

// The form itself takes no keys, so while it is active a control holds the focus: the one that
// held it when the window was left, else the first in tab order.
void activate(Win32Controls& controls, WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        controls.keepFocus(IsChild(controls.window(), focus) ? focus : nullptr);
        return;
    }
    if (HIWORD(wParam) != 0) return;  // activated while minimized: nothing shows the focus
    HWND kept = controls.keptFocus();
    if (!kept || !IsWindowVisible(kept) || !IsWindowEnabled(kept)) {
        kept = nextTabStop(controls, nullptr, false);
    }
    // Given back where the user left the form scrolled: only the keyboard's moves reveal.
    if (kept) SetFocus(kept);
}

// The drive letters (bit 0 for a:) that came or went, or whose medium was put in or taken
// out: the system tells every top-level window, with no registration needed. None for any
// other device message.
std::uint32_t volumesChanged(WPARAM event, LPARAM lParam) {
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam);
    if ((event != DBT_DEVICEARRIVAL && event != DBT_DEVICEREMOVECOMPLETE) || !header ||
        header->dbch_devicetype != DBT_DEVTYP_VOLUME) {
        return 0;
    }
    return reinterpret_cast<const DEV_BROADCAST_VOLUME*>(lParam)->dbcv_unitmask;
}

}  // namespace

LRESULT CALLBACK formProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Win32Controls* controls = controlsOf(window);
    if (!controls) return DefWindowProcW(window, message, wParam, lParam);
    FormEvents* events = controls->events();
    switch (message) {
        case WM_COMMAND:
            if (events) command(*controls, *events, wParam, lParam);
            return 0;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->code == TCN_SELCHANGING) {
                controls->tabChanging();
            } else if (header->code == TCN_SELCHANGE) {
                const int previous = controls->tabChanged();
                if (events) events->tabSelected(previous);
            }
            return 0;
        }
        case WM_ACTIVATE:
            activate(*controls, wParam);
            return 0;
        case WM_HSCROLL:
        case WM_VSCROLL:
            // From the form's own bars, or (passed on by its frame) from the slider.
            if (lParam == 0) {
                controls->formScrolled(message == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(wParam),
                                       HIWORD(wParam));
            } else if (LOWORD(wParam) != TB_THUMBTRACK && controls->sliderMoved() && events) {
                // A drag changes the value once, where the thumb is let go: the places it
                // passes on the way are no choice of speed.
                events->sliderChanged();
            }
            return 0;
        case WM_MOUSEWHEEL:
            controls->formWheeled(SB_VERT, GET_WHEEL_DELTA_WPARAM(wParam));
            return 0;
        case WM_MOUSEHWHEEL:
            controls->formWheeled(SB_HORZ, GET_WHEEL_DELTA_WPARAM(wParam));
            return 0;
        case WM_SIZE:
            controls->formResized();
            return 0;
        case WM_TIMER:
            if (wParam == kTimerId && events) {
                events->timerTick();
                controls->ticked(GetTickCount64());
            }
            return 0;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORLISTBOX:
            return colour(*controls, window, message, wParam, lParam);
        case WM_CLOSE:
            if (events && !events->queryUnload(kClosedByUser)) return 0;
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            controls->destroyed();
            return 0;
        case WM_SYSCOLORCHANGE:
            controls->systemColoursChanged();
            return 0;
        case WM_DEVICECHANGE:
            if (const std::uint32_t letters = volumesChanged(wParam, lParam)) {
                controls->drivesChanged(letters);
            }
            return TRUE;
        case kLateAnswer:
            controls->lateAnswer();
            return 0;
        case WM_DPICHANGED:
            controls->dpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace zarnel::win32
