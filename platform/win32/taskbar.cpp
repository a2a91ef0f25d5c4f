#include <chrono>

#include "platform/win32/taskbar_state.h"
#include "platform/win32/win32_platform.h"

namespace zarnel {
namespace {

// Long enough for an Explorer busy starting up or redrawing; short enough that a hung one
// costs the window no more than a share whose server went away.
constexpr std::chrono::milliseconds kShellAnswerDeadline{2000};
const std::string kShell = "shell";

UINT_PTR askState(decltype(&SHAppBarMessage) appBarMessage) {
    APPBARDATA record{};
    // The whole record: the 20-byte form of 32-bit days fails on 64-bit Windows.
    record.cbSize = sizeof(APPBARDATA);
    return appBarMessage(ABM_GETSTATE, &record);
}

}  // namespace

std::uint32_t Win32Platform::appBarGetState() {
    // The shell answers through a message sent to its taskbar, which a hung Explorer never
    // takes: asked with a deadline, and unanswered it is the call's failure, 0.
    const std::function<UINT_PTR()> question = [function = shAppBarMessage_.pointer()] {
        return askState(function);
    };
    const UINT_PTR answer = shell_.ask(kShell, question, kShellAnswerDeadline).value_or(0);
    return win32::taskbarState(static_cast<std::uint32_t>(answer),
                               FindWindowW(L"Shell_TrayWnd", nullptr) != nullptr);
}

}  // namespace zarnel
