// zarnel: the window over the Windows machine it runs on.
#include <windows.h>

#include "app/form1.h"
#include "platform/win32/win32_platform.h"
#include "ui/win32/events.h"
#include "ui/win32/message_loop.h"
#include "ui/win32/win32_controls.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
    zarnel::Win32Platform platform;
    zarnel::win32::Win32Controls controls;
    zarnel::Form1 form(controls, platform);
    zarnel::win32::Form1Events events(controls, platform, form);
    zarnel::win32::startForm(controls, platform, form, events);
    if (controls.ended()) return 0;

    ShowWindow(controls.window(), show);
    return zarnel::win32::runMessageLoop(controls);
}
