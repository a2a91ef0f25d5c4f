#include "ui/win32/message_loop.h"

#include <algorithm>
#include <vector>

#include "ui/win32/win32_controls.h"
#include "window/layout.h"

namespace zarnel::win32 {
namespace {

// The tab stop that holds `focus`: a drop-down's focus may sit in a child of it.
std::vector<HWND>::const_iterator stopHolding(const std::vector<HWND>& stops, HWND focus) {
    for (HWND w = focus; w; w = GetParent(w)) {
        const auto found = std::find(stops.begin(), stops.end(), w);
        if (found != stops.end()) return found;
    }
    return stops.end();
}

bool isListBox(const Win32Controls& controls, HWND window) {
    return std::ranges::any_of(layoutTable(), [&controls, window](const LayoutRow& row) {
        return row.kind == Kind::ListBox && controls.handle(row.name) == window;
    });
}

bool isChoice(const Win32Controls& controls, HWND window) {
    return std::ranges::any_of(layoutTable(), [&controls, window](const LayoutRow& row) {
        return (row.kind == Kind::ComboBox || row.kind == Kind::DriveList ||
                row.kind == Kind::Slider) &&
               controls.handle(row.name) == window;
    });
}

bool anyModifierDown() {
    return GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_MENU) < 0;
}

}  // namespace

HWND nextTabStop(const Win32Controls& controls, HWND from, bool backwards) {
    const std::vector<HWND> stops = controls.tabStops();
    if (stops.empty()) return nullptr;
    const auto here = stopHolding(stops, from);
    const auto size = static_cast<std::ptrdiff_t>(stops.size());
    std::ptrdiff_t position = here == stops.end() ? (backwards ? 0 : -1) : here - stops.begin();
    for (std::ptrdiff_t step = 0; step < size; ++step) {
        position = (position + (backwards ? size - 1 : 1)) % size;
        HWND candidate = stops[static_cast<std::size_t>(position)];
        if (IsWindowVisible(candidate) && IsWindowEnabled(candidate)) return candidate;
    }
    return nullptr;
}

bool handleTabKeys(Win32Controls& controls, const MSG& message) {
    if (message.message != WM_KEYDOWN) return false;
    const bool tab = message.wParam == VK_TAB;
    const bool page = message.wParam == VK_NEXT || message.wParam == VK_PRIOR;
    const bool control = GetKeyState(VK_CONTROL) < 0;
    if (!tab && !(page && control)) return false;
    // The form has the key only when no control could take the focus.
    if (message.hwnd != controls.window() && !IsChild(controls.window(), message.hwnd)) {
        return false;
    }
    const bool backwards = tab ? GetKeyState(VK_SHIFT) < 0 : message.wParam == VK_PRIOR;
    if (control) {
        // Taken before the slider or a list sees PageUp and PageDown as its own.
        controls.selectTab(layout::turnedTab(controls.selectedTab(), backwards ? -1 : 1));
        if (!IsWindowVisible(GetFocus())) SetFocus(controls.handle(Ctl::SSTab1));
        // In a scrolled window the strip may lie above the view: the focus is shown.
        if (HWND focus = GetFocus()) controls.reveal(focus);
        return true;
    }
    HWND next = nextTabStop(controls, message.hwnd, backwards);
    if (next) {
        SetFocus(next);
        controls.reveal(next);
    }
    return true;
}

bool handleListKeys(const Win32Controls& controls, const MSG& message) {
    if (message.message != WM_KEYDOWN) return false;
    if (message.wParam != VK_LEFT && message.wParam != VK_RIGHT) return false;
    if (anyModifierDown() || !isListBox(controls, message.hwnd)) return false;
    RECT client{};
    GetClientRect(message.hwnd, &client);
    if (SendMessageW(message.hwnd, LB_GETHORIZONTALEXTENT, 0, 0) <= client.right) return false;
    SendMessageW(message.hwnd, WM_HSCROLL, message.wParam == VK_LEFT ? SB_LINELEFT : SB_LINERIGHT,
                 0);
    return true;
}

bool handleListWheel(const Win32Controls& controls, const MSG& message) {
    if (message.message != WM_MOUSEWHEEL || !isListBox(controls, message.hwnd)) return false;
    SCROLLINFO bar{sizeof(bar), SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
    const bool scrolls = (GetWindowLongPtrW(message.hwnd, GWL_STYLE) & WS_VSCROLL) != 0 &&
                         GetScrollInfo(message.hwnd, SB_VERT, &bar) &&
                         bar.nMax - bar.nMin + 1 > static_cast<int>(bar.nPage);
    if (scrolls) return false;
    SendMessageW(controls.window(), WM_MOUSEWHEEL, message.wParam, message.lParam);
    return true;
}

bool handleChoiceWheel(const Win32Controls& controls, const MSG& message) {
    if (message.message != WM_MOUSEWHEEL || GetFocus() == message.hwnd ||
        !isChoice(controls, message.hwnd)) {
        return false;
    }
    SendMessageW(controls.window(), WM_MOUSEWHEEL, message.wParam, message.lParam);
    return true;
}

int runMessageLoop(Win32Controls& controls) {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (handleTabKeys(controls, message) || handleListKeys(controls, message) ||
            handleListWheel(controls, message) || handleChoiceWheel(controls, message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace zarnel::win32
