#include "tools/form-dump/win32/focus_chain.h"

#include <windows.h>

#include "tools/form-dump/win32/dump.h"
#include "ui/win32/message_loop.h"
#include "ui/win32/win32_controls.h"

namespace zarnel::tools {
namespace {

constexpr int kTabStops = 85;
// Enough to come round once whatever the order.
constexpr int kMaxPresses = 2 * kTabStops;

}  // namespace

std::vector<std::string> focusChain(win32::Win32Controls& controls) {
    HWND start = controls.handle(Ctl::SSTab1);
    SetForegroundWindow(controls.window());
    SetFocus(start);
    std::vector<std::string> chain;
    for (int press = 0; press < kMaxPresses; ++press) {
        HWND focused = GetFocus();
        if (!focused) break;
        chain.push_back(controlName(controls, focused));
        // The key press as the message loop receives it.
        MSG tab{};
        tab.hwnd = focused;
        tab.message = WM_KEYDOWN;
        tab.wParam = VK_TAB;
        win32::handleTabKeys(controls, tab);
        if (GetFocus() == start) break;
    }
    return chain;
}

}  // namespace zarnel::tools
