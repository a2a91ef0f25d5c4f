#include "tests/win32ui/test_window.h"

namespace zarnel::testing {
namespace {

// GDI handles keep their table index in the low 16 bits.
constexpr unsigned kGdiHandleIndices = 0x10000;

}  // namespace

std::string scenarioPath(const std::string& name) {
    return std::string(ZARNEL_GUI_SCENARIOS) + "/" + name;
}

TestWindow::TestWindow(const std::string& scenario)
    : form(controls, platform), events(controls, platform, form) {
    loadScenario(platform, scenarioPath(scenario));
    win32::startForm(controls, platform, form, events);
    if (!controls.ended()) ShowWindow(controls.window(), SW_SHOWNOACTIVATE);
    pump();
}

TestWindow::~TestWindow() {
    pump();
    quitPosted();
}

void TestWindow::pump() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
        if (message.message == WM_QUIT) return;  // left for quitPosted
        PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

bool TestWindow::quitPosted() {
    MSG message{};
    return PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}

int gdiObjects() {
    const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (counted != 0) return static_cast<int>(counted);
    // Wine does not count; its handle table answers for a bare index, so ask about each.
    int live = 0;
    for (unsigned index = 1; index < kGdiHandleIndices; ++index)
        if (GetObjectType(ULongToHandle(index)) != 0) ++live;
    return live;
}

}  // namespace zarnel::testing
