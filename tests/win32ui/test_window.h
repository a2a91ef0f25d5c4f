// The native window over a fake machine, loaded as the program loads it, for tests that drive
// it with real window messages.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

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

// Twips as pixels at `dpi`.
int pixels(float twips, int dpi);

// Sends what Windows sends when the window moves to a screen of `dpi`: the window scaled about
// its place.
void changeDpi(win32::Win32Controls& controls, int dpi);

// A control's client area as its own WM_PRINTCLIENT draws it, row by row; or as `message`
// (WM_ERASEBKGND) draws it over an area first painted `under`.
std::vector<COLORREF> printed(HWND control, UINT message = WM_PRINTCLIENT,
                              COLORREF under = RGB(0, 0, 0));

}  // namespace zarnel::testing
