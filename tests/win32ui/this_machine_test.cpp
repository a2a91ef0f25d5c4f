// The window over this machine's own provider: every tab is filled from the system.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/form1.h"
#include "platform/win32/win32_platform.h"
#include "tools/form-dump/win32/message_closer.h"
#include "ui/win32/events.h"
#include "ui/win32/win32_controls.h"
#include "window/layout.h"

namespace zarnel {
namespace {

TEST(ThisMachine, EveryShownFieldIsFilledFromTheSystem) {
    Win32Platform platform;
    tools::MessageCloser closer;
    win32::Win32Controls controls;
    Form1 form(controls, platform);
    win32::Form1Events events(controls, platform, form);
    win32::startForm(controls, platform, form, events);
    controls.setTimerEnabled(false);

    EXPECT_TRUE(closer.seen().empty()) << closer.seen().front().text;
    for (const LayoutRow& row : layoutTable()) {
        // A field still showing its own name was never written.
        if (row.kind != Kind::TextBox || !row.visible) continue;
        EXPECT_NE(controls.text(row.name), row.caption) << ctlName(row.name);
    }
    EXPECT_FALSE(controls.items(Ctl::Drive1).empty());
    EXPECT_GE(controls.listIndex(Ctl::Drive1), 0);
    EXPECT_FALSE(controls.items(Ctl::List2).empty());
    EXPECT_FALSE(controls.items(Ctl::List3).empty());
    EXPECT_FALSE(controls.items(Ctl::List4).empty());
}

}  // namespace
}  // namespace zarnel
