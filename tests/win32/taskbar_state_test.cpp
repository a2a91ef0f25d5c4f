// The taskbar of current Windows is on top though ABM_GETSTATE leaves that bit out.
#include "platform/win32/taskbar_state.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace zarnel
