// The native window over a fake machine, loaded as the program loads it, for tests that drive
// it with real window messages.
#pragma once

#include <windows.h>

#include <string>

#include "app/form1.h"
#include "platform/fake/fake_platform.h"
#include "tools/form-dump/win32/message_closer.h"
#include "ui/win32/events.h"
#include "ui/win32/win32_controls.h"

namespace zarnel::testing {

// A scenario file of the window tests ("two_petabytes.scenario").
std::string scenarioPath(const std::string& name);

struct TestWindow {
    // Loads the scenario, builds the window, runs start-up and shows the window.
    explicit TestWindow(const std::string& scenario);
    ~TestWindow();

    // Delivers every message waiting, as the message loop would.
    static void pump();
    // True, and the message taken off the queue, when the window has asked the program to end.
    static bool quitPosted();

    FakePlatform platform;
    tools::MessageCloser closer;
    win32::Win32Controls controls;
    Form1 form;
    win32::Form1Events events;
};

// Live GDI objects of this process.
int gdiObjects();

}  // namespace zarnel::testing
