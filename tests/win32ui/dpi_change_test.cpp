// The window moved to a denser screen: the layout stays in twips while pixels and fonts follow
// the new DPI. Wine has one system DPI, but the message that Windows sends can be sent.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <string>

#include "tests/win32ui/test_window.h"

namespace zarnel {
namespace {

using testing::TestWindow;

constexpr int kTwipsPerInch = 1440;
constexpr double kPointsPerInch = 72;
constexpr double kDefaultPoints = 9;
constexpr int kDenser = 144;  // 150 %

int pixels(float twips, int dpi) {
    return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

SIZE outerSize(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    return {r.right - r.left, r.bottom - r.top};
}

LONG fontHeight(HFONT font) {
    LOGFONTW face{};
    GetObjectW(font, sizeof(face), &face);
    return face.lfHeight;
}

// The width of a control's text in the font it shows it in.
int textWidth(const win32::Win32Controls& controls, Ctl ctl) {
    const std::string text = controls.text(ctl);
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                            static_cast<int>(wide.size()))));
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, controls.font(ctl));
    SIZE extent{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
    DeleteDC(dc);
    return extent.cx;
}

// The room a control gives its text: its inside, less a text box's margins.
int roomFor(const win32::Win32Controls& controls, Ctl ctl) {
    HWND control = controls.handle(ctl);
    RECT inside{};
    GetClientRect(control, &inside);
    if (layoutRow(ctl).kind != Kind::TextBox) return inside.right;
    const auto margins = SendMessageW(control, EM_GETMARGINS, 0, 0);
    return inside.right - LOWORD(margins) - HIWORD(margins);
}

TEST(DpiChange, TwipsStayWhilePixelsAndFontsFollow) {
    TestWindow window{"two_petabytes.scenario"};
    win32::Win32Controls& controls = window.controls;
    HWND form = controls.window();
    ASSERT_NE(controls.scale().dpi(), kDenser);
    const Ctl sized[] = {Ctl::Frame9, Ctl::Text24, Ctl::Picture1, Ctl::Label28, Ctl::SSTab1};
    std::vector<Geometry> before;
    for (const Ctl ctl : sized) before.push_back(controls.geometry(ctl));
    const std::string caption = controls.text(Ctl::Label28);

    // What Windows suggests: the window scaled about its place.
    const Geometry client = controls.geometry(Ctl::Form1);
    RECT suggested{0, 0, pixels(client.width, kDenser), pixels(client.height, kDenser)};
    AdjustWindowRectExForDpi(&suggested, static_cast<DWORD>(GetWindowLongPtrW(form, GWL_STYLE)),
                             TRUE, 0, kDenser);
    SendMessageW(form, WM_DPICHANGED, MAKEWPARAM(kDenser, kDenser),
                 reinterpret_cast<LPARAM>(&suggested));
    TestWindow::pump();

    EXPECT_EQ(controls.scale().dpi(), kDenser);
    RECT area{};
    GetClientRect(form, &area);
    EXPECT_EQ(area.right, pixels(client.width, kDenser));
    EXPECT_EQ(area.bottom, pixels(client.height, kDenser));
    for (std::size_t i = 0; i < std::size(sized); ++i) {
        const Geometry now = controls.geometry(sized[i]);
        EXPECT_EQ(now.left, before[i].left) << ctlName(sized[i]);
        EXPECT_EQ(now.top, before[i].top) << ctlName(sized[i]);
        EXPECT_EQ(now.width, before[i].width) << ctlName(sized[i]);
        EXPECT_EQ(now.height, before[i].height) << ctlName(sized[i]);
        const SIZE shown = outerSize(controls.handle(sized[i]));
        EXPECT_EQ(shown.cx, pixels(now.width, kDenser)) << ctlName(sized[i]);
        EXPECT_EQ(shown.cy, pixels(now.height, kDenser)) << ctlName(sized[i]);
    }

    // Fonts are made again at the new DPI, and the controls use them.
    HFONT figures = controls.font(Ctl::Text24);
    EXPECT_EQ(fontHeight(figures), -std::lround(kDefaultPoints * kDenser / kPointsPerInch));
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(controls.handle(Ctl::Text24), WM_GETFONT, 0, 0)),
              figures);
    HFONT captions = controls.font(Ctl::Frame9);
    EXPECT_EQ(fontHeight(captions),
              -std::lround(layout::kFrameFontPoints * kDenser / kPointsPerInch));
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(controls.handle(Ctl::Frame9), WM_GETFONT, 0, 0)),
              captions);
    EXPECT_EQ(controls.text(Ctl::Label28), caption);

    // A text that was drawn smaller to fit its field fits at the new size too, even where
    // nothing writes it again.
    for (const LayoutRow& row : layoutTable()) {
        const bool fitted =
            row.kind == Kind::Label || (row.kind == Kind::TextBox && !row.multiLine);
        if (fitted) {
            EXPECT_LE(textWidth(controls, row.name), roomFor(controls, row.name))
                << ctlName(row.name) << " " << controls.text(row.name);
        }
    }

    // The chart's image grew with its box: its last pixel can be drawn on.
    RECT chart{};
    GetClientRect(controls.handle(Ctl::Picture1), &chart);
    EXPECT_NE(controls.pictureBox(Ctl::Picture1).pixel(chart.right - 1, chart.bottom - 1),
              CLR_INVALID);
}

}  // namespace
}  // namespace zarnel
