// zarnel: the window over the Windows machine it runs on.
#include <windows.h>

#include <exception>
#include <functional>
#include <string>

#include "app/form1.h"
#include "platform/win32/win32_platform.h"
#include "ui/win32/events.h"
#include "ui/win32/form_window.h"
#include "ui/win32/message_loop.h"
#include "ui/win32/win32_controls.h"

namespace {

// A window the system would not make (a desktop out of resources, no window station) is said
// in a box of the system's own, rather than the program vanishing with no word.
int failed(const std::exception& error) {
    const std::string text = std::string("zarnel: ") + error.what();
    MessageBoxA(nullptr, text.c_str(), "zarnel", MB_OK | MB_ICONERROR);
    return 1;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
    try {
        zarnel::Win32Platform platform;
        zarnel::win32::Win32Controls controls;
        platform.tellLateAnswersTo(controls.window(), zarnel::win32::kLateAnswer);
        zarnel::Form1 form(controls, platform);
        zarnel::win32::Form1Events events(controls, platform, form);
        events.showLateAnswersWith(
            [&platform](const std::function<void(const zarnel::LateNews&)>& again) {
                platform.showLateAnswers(again);
            });
        zarnel::win32::startForm(controls, platform, form, events);
        if (controls.ended()) return 0;

        ShowWindow(controls.window(), show);
        const int exitCode = zarnel::win32::runMessageLoop(controls);
        // Answers still on their way find no window to tell.
        platform.tellLateAnswersTo(nullptr, 0);
        return exitCode;
    } catch (const std::exception& error) {
        return failed(error);
    }
}
