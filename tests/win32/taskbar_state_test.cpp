// The taskbar of current Windows is on top though ABM_GETSTATE leaves that bit out; and a shell
// that no longer takes messages is not waited for.
#include "platform/win32/taskbar_state.h"

#include <gtest/gtest.h>

#include <thread>

#include "platform/win32/win32_platform.h"

namespace zarnel {
namespace {

TEST(Win32TaskbarState, ShellTaskbarIsOnTopWhateverTheAnswerLeavesOut) {
    EXPECT_EQ(win32::taskbarState(0, true), static_cast<std::uint32_t>(ABS_ALWAYSONTOP));
    EXPECT_EQ(win32::taskbarState(ABS_AUTOHIDE, true),
              static_cast<std::uint32_t>(ABS_AUTOHIDE | ABS_ALWAYSONTOP));
    // Another shell's answer is all there is to go by.
    EXPECT_EQ(win32::taskbarState(0, false), 0U);
    EXPECT_EQ(win32::taskbarState(ABS_AUTOHIDE, false), static_cast<std::uint32_t>(ABS_AUTOHIDE));
}

// The window a shell takes taskbar messages at, made by a thread that then takes none until
// it is let go: a hung Explorer. Wine's shell takes them at a window of its own class.
class HungShell {
  public:
    explicit HungShell(const wchar_t* windowClass) {
        release_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        HANDLE made = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        thread_ = std::thread([this, windowClass, made] {
            WNDCLASSW shellClass{};
            shellClass.lpfnWndProc = DefWindowProcW;
            shellClass.hInstance = GetModuleHandleW(nullptr);
            shellClass.lpszClassName = windowClass;
            RegisterClassW(&shellClass);
            window_ = CreateWindowExW(0, windowClass, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                      shellClass.hInstance, nullptr);
            SetEvent(made);
            WaitForSingleObject(release_, INFINITE);
            // Whatever was sent meanwhile is answered as the window goes.
            DestroyWindow(window_);
            UnregisterClassW(windowClass, shellClass.hInstance);
        });
        WaitForSingleObject(made, INFINITE);
        CloseHandle(made);
    }
    ~HungShell() {
        SetEvent(release_);
        thread_.join();
        CloseHandle(release_);
    }
    HungShell(const HungShell&) = delete;
    HungShell& operator=(const HungShell&) = delete;

    HWND window() const { return window_; }

  private:
    HANDLE release_ = nullptr;
    HWND window_ = nullptr;
    std::thread thread_;
};

TEST(Win32TaskbarState, AHungShellIsNotWaitedForAndTellsNothing) {
    const HungShell shell(L"WineAppBar");
    ASSERT_NE(shell.window(), nullptr);
    ASSERT_EQ(FindWindowW(L"WineAppBar", nullptr), shell.window());
    Win32Platform platform;
    // Asked twice: the second call finds the first still unanswered and does not wait again.
    for (int call = 0; call < 2; ++call) {
        EXPECT_EQ(platform.appBarGetState() & ABS_AUTOHIDE, 0U) << call;
    }
}

}  // namespace
}  // namespace zarnel
