// The window moved to a denser screen: the layout stays in twips while pixels and fonts follow
// the new DPI. Wine has one system DPI, but the message that Windows sends can be sent.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <string>

#include "tests/win32ui/test_window.h"
#include "tools/form-dump/win32/capture.h"

namespace zarnel {
namespace {

using testing::changeDpi;
using testing::pixels;
using testing::TestWindow;

constexpr double kPointsPerInch = 72;
constexpr double kDefaultPoints = 9;
constexpr int kDenser = 144;  // 150 %

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

// The first row of the chart's line in column `x`, -1 where the column has none.
int lineRow(const win32::PictureBox& chart, int x, int height) {
    constexpr COLORREF kLine = RGB(255, 0, 0);
    for (int y = 0; y < height; ++y) {
        if (chart.pixel(x, y) == kLine) return y;
    }
    return -1;
}

// The row of the chart's newest point: the rightmost column the line colour reaches, since
// older segments are scrolled left of it. -1 where the chart has no line at all.
int newestRow(const win32::PictureBox& chart, const RECT& area) {
    for (int x = area.right - 1; x >= 0; --x) {
        const int row = lineRow(chart, x, area.bottom);
        if (row >= 0) return row;
    }
    return -1;
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

    changeDpi(controls, kDenser);
    const Geometry client = controls.geometry(Ctl::Form1);

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

// What the pictures show is scaled with them: the chart's earlier trace stays at the height a
// new point of the same reading gets, and the pie drawn again at the new size leaves nothing
// of the old one outside it.
TEST(DpiChange, PicturesKeepWhatTheyShowAtTheNewScale) {
    TestWindow window{"two_petabytes.scenario"};
    win32::Win32Controls& controls = window.controls;
    constexpr int kTicks = 100;  // past the first scroll, with the same reading throughout
    for (int i = 0; i < kTicks; ++i) window.form.memory().Timer1_Timer();
    changeDpi(controls, kDenser);
    window.platform.records.memory.ullAvailPhys -= 5'000'000;  // the pie is drawn again
    window.form.memory().Timer1_Timer();
    TestWindow::pump();

    const win32::PictureBox& chart = controls.pictureBox(Ctl::Picture1);
    RECT area{};
    GetClientRect(controls.handle(Ctl::Picture1), &area);
    constexpr int kOldColumn = 20;
    const int oldRow = lineRow(chart, kOldColumn, area.bottom);
    const int newRow = newestRow(chart, area);
    ASSERT_GE(newRow, 0);
    EXPECT_NEAR(oldRow, newRow, 3) << "old trace at " << oldRow << ", new point at " << newRow;

    // A corner of the pie's box lies outside the disc: it shows the face.
    constexpr int kCorner = 15;
    EXPECT_EQ(controls.pictureBox(Ctl::Picture4).pixel(kCorner, kCorner),
              GetSysColor(COLOR_BTNFACE));
}

// Back on a less dense screen the chart's trace, one row thick at either density, is blended
// down rather than dropped with the rows the shrinking leaves out.
TEST(DpiChange, ChartKeepsItsTraceOnALessDenseScreen) {
    // Readings whose rows at 144 dpi fall on each of the three rows a 3:2 shrinking treats
    // differently.
    constexpr int kFirstPercent = 31;
    constexpr int kReadings = 3;
    constexpr int kTicks = 100;
    for (int percent = kFirstPercent; percent < kFirstPercent + kReadings; ++percent) {
        TestWindow fresh{"two_petabytes.scenario"};
        win32::Win32Controls& shown = fresh.controls;
        const int usual = shown.scale().dpi();
        changeDpi(shown, kDenser);
        MemoryStatus& memory = fresh.platform.records.memory;
        memory.ullAvailPhys = memory.ullTotalPhys * static_cast<std::uint64_t>(percent) / 100;
        for (int i = 0; i < kTicks; ++i) fresh.form.memory().Timer1_Timer();
        changeDpi(shown, usual);
        fresh.form.memory().Timer1_Timer();

        const win32::PictureBox& chart = shown.pictureBox(Ctl::Picture1);
        RECT area{};
        GetClientRect(shown.handle(Ctl::Picture1), &area);
        const int row = newestRow(chart, area);
        ASSERT_GE(row, 0);
        const COLORREF black = chart.pixel(1, area.bottom - 1);
        constexpr int kFirstOld = 10;
        constexpr int kLastOld = 59;
        constexpr int kNear = 2;
        int traced = 0;
        for (int x = kFirstOld; x <= kLastOld; ++x) {
            bool seen = false;
            for (int y = std::max(0, row - kNear); y <= row + kNear && y < area.bottom; ++y) {
                seen = seen || chart.pixel(x, y) != black;
            }
            traced += seen;
        }
        EXPECT_EQ(traced, kLastOld - kFirstOld + 1) << "available " << percent << "%";
    }
}

// A figure drawn smaller to fit its field is drawn at the new screen's density too: on a screen
// twice as dense its field is twice as wide, and the smaller font twice as tall, not a font
// made for the old screen.
TEST(DpiChange, AFigureDrawnSmallerKeepsItsSizeOnADenserScreen) {
    constexpr int kDouble = 192;
    constexpr LONG kRounding = 3;  // half-point steps and rounding at either density
    TestWindow window{"two_petabytes.scenario"};
    win32::Win32Controls& controls = window.controls;
    controls.setTimerEnabled(false);
    HFONT normal = controls.font(Ctl::Text27);
    controls.setText(Ctl::Text27, "23382M");  // wider than the pie legend's field
    ASSERT_NE(controls.font(Ctl::Text27), normal);
    const LONG before = -fontHeight(controls.font(Ctl::Text27));

    changeDpi(controls, kDouble);
    controls.setText(Ctl::Text27, "23383M");
    ASSERT_NE(controls.font(Ctl::Text27), controls.font(Ctl::Text26)) << "still drawn smaller";
    EXPECT_NEAR(-fontHeight(controls.font(Ctl::Text27)), 2 * before, kRounding);
}

// Sends WM_DPICHANGED for `dpi` suggesting `suggested`, and answers where the window then is.
RECT suggestOnNewScreen(HWND form, int dpi, RECT suggested) {
    SendMessageW(form, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    TestWindow::pump();
    RECT now{};
    GetWindowRect(form, &now);
    return now;
}

bool sameRect(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != 0;
}

// A window the user sized or maximised takes the rectangle Windows suggests for the new screen,
// as WM_DPICHANGED asks, rather than going back to its design size; its contents scroll at the
// new scale.
// A label repaints itself in its new font as soon as it gets it, before it is moved and sized
// for the new screen: what shows afterwards must still be what a full repaint draws, not its
// old pixels carried along ("54" for "540", a caption cut short).
TEST(DpiChange, WhatShowsIsWhatARepaintDraws) {
    TestWindow window{"two_petabytes.scenario"};
    window.controls.setTimerEnabled(false);
    for (const int dpi : {kDenser, win32::kBaseDpi}) {
        changeDpi(window.controls, dpi);
        const tools::RgbImage shown = tools::captureShown(window.controls.window());
        const tools::RgbImage repainted = tools::captureClient(window.controls.window());
        EXPECT_TRUE(shown.rgb == repainted.rgb) << "at " << dpi << " dpi";
    }
}

TEST(DpiChange, AWindowNotAtItsDesignSizeTakesTheSuggestedRectangle) {
    constexpr int kBusier = 120;  // 125 %
    constexpr int kSized = 300;
    constexpr int kSuggested = kSized * kBusier / win32::kBaseDpi;
    TestWindow window{"two_petabytes.scenario"};
    HWND form = window.controls.window();
    SetWindowPos(form, nullptr, 0, 0, kSized, kSized, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    TestWindow::pump();
    RECT at{};
    GetWindowRect(form, &at);
    const RECT suggested{at.left, at.top, at.left + kSuggested, at.top + kSuggested};

    const RECT now = suggestOnNewScreen(form, kBusier, suggested);
    EXPECT_TRUE(sameRect(now, suggested))
        << now.left << "," << now.top << " " << now.right - now.left << "x" << now.bottom - now.top;
    SCROLLINFO info{sizeof(info), SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(form, SB_VERT, &info));
    EXPECT_EQ(info.nMax + 1, pixels(window.controls.geometry(Ctl::Form1).height, kBusier));

    ShowWindow(form, SW_MAXIMIZE);
    TestWindow::pump();
    RECT maximised{};
    GetWindowRect(form, &maximised);
    ASSERT_TRUE(IsZoomed(form));
    EXPECT_TRUE(sameRect(suggestOnNewScreen(form, win32::kBaseDpi, maximised), maximised));
    EXPECT_TRUE(IsZoomed(form));
    // The window kept its size, but the contents shrank: the bars measure them anew.
    ASSERT_TRUE(GetScrollInfo(form, SB_VERT, &info));
    EXPECT_EQ(info.nMax + 1, pixels(window.controls.geometry(Ctl::Form1).height, win32::kBaseDpi));
}

}  // namespace
}  // namespace zarnel
