#include "tests/win32ui/test_window.h"

#include <cmath>

namespace zarnel::testing {
namespace {

// GDI handles keep their table index in the low 16 bits.
constexpr unsigned kGdiHandleIndices = 0x10000;
constexpr int kTwipsPerInch = 1440;

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

int pixels(float twips, int dpi) {
    return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

void changeDpi(win32::Win32Controls& controls, int dpi) {
    HWND form = controls.window();
    const Geometry client = controls.geometry(Ctl::Form1);
    RECT suggested{0, 0, pixels(client.width, dpi), pixels(client.height, dpi)};
    AdjustWindowRectExForDpi(&suggested, static_cast<DWORD>(GetWindowLongPtrW(form, GWL_STYLE)),
                             TRUE, 0, dpi);
    SendMessageW(form, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    TestWindow::pump();
}

std::vector<COLORREF> printed(HWND control, UINT message, COLORREF under) {
    RECT client{};
    GetClientRect(control, &client);
    HDC screen = GetDC(control);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    ReleaseDC(control, screen);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    HBRUSH ground = CreateSolidBrush(under);
    FillRect(dc, &client, ground);
    DeleteObject(ground);
    // A list box scrolled sideways draws through a moved window origin, and leaves it moved.
    const int saved = SaveDC(dc);
    SendMessageW(control, message, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    RestoreDC(dc, saved);
    std::vector<COLORREF> drawn;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x) drawn.push_back(GetPixel(dc, x, y));
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return drawn;
}

}  // namespace zarnel::testing
