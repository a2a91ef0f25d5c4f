// Labels and text boxes keep their text in the program, so that a tick needs no round trip to
// the window system to compare or rename: what they draw and answer must not change for that.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "tests/win32ui/test_window.h"
#include "tools/form-dump/win32/capture.h"
#include "ui/win32/text.h"

namespace zarnel {
namespace {

using testing::printed;
using testing::TestWindow;

constexpr int kTextLength = 64;

// A control's rectangle in `holder`'s client area.
RECT placeIn(HWND holder, HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, holder, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The pixels of `part` of an image, row by row.
std::vector<COLORREF> cut(const tools::RgbImage& image, const RECT& part) {
    std::vector<COLORREF> pixels;
    for (int y = part.top; y < part.bottom; ++y) {
        const auto* row = image.rgb.data() + static_cast<std::size_t>(y) * image.width * 3;
        for (int x = part.left; x < part.right; ++x) {
            const auto* pixel = row + static_cast<std::size_t>(x) * 3;
            pixels.push_back(RGB(pixel[0], pixel[1], pixel[2]));
        }
    }
    return pixels;
}

std::wstring windowText(HWND control) {
    wchar_t text[kTextLength] = {};
    GetWindowTextW(control, text, kTextLength);
    return text;
}

TEST(KeptText, ALabelDrawsAndAnswersItsCaptionAsAStaticControlDoes) {
    TestWindow window{"two_petabytes.scenario"};
    win32::Win32Controls& controls = window.controls;
    const std::string renamed = "線グラフ&速さ 0.2秒";  // an ampersand is no mnemonic here
    controls.setText(Ctl::Label28, renamed);
    EXPECT_EQ(win32::narrow(windowText(controls.handle(Ctl::Label28))), renamed);
    EXPECT_EQ(controls.text(Ctl::Label28), renamed);

    // Right-aligned, left-aligned, and centred with the new caption; each beside a plain static
    // control of the same style, size, font, container and caption.
    controls.setAlignment(Ctl::Label28, Align::Center);
    for (const Ctl ctl : {Ctl::Label29, Ctl::Label24, Ctl::Label28}) {
        HWND label = controls.handle(ctl);
        HWND holder = GetParent(label);
        const RECT place = placeIn(holder, label);
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(label, GWL_STYLE) & ~WS_VISIBLE);
        HWND plain = CreateWindowExW(0, L"STATIC", windowText(label).c_str(), style, place.left,
                                     place.top, place.right - place.left, place.bottom - place.top,
                                     holder, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(plain, nullptr);
        SendMessageW(plain, WM_SETFONT, static_cast<WPARAM>(SendMessageW(label, WM_GETFONT, 0, 0)),
                     FALSE);
        const std::vector<COLORREF> drawn = printed(label);
        EXPECT_EQ(drawn, printed(plain)) << ctlName(ctl);
        EXPECT_GT(std::set<COLORREF>(drawn.begin(), drawn.end()).size(), 1U)
            << ctlName(ctl) << " shows no text";
        DestroyWindow(plain);
    }
}

TEST(KeptText, EveryRenameOfTheTimeAxisReachesTheScreen) {
    TestWindow window{"two_petabytes.scenario"};
    win32::Win32Controls& controls = window.controls;
    HWND form = controls.window();
    const int count = controls.count(Ctl::lblX);
    // Label i shows the figure first + i. Two-digit figures throughout, so that no label changes
    // its size, and moves, which would repaint it anyway.
    const auto rename = [&](int first) {
        for (int i = 0; i < count; ++i) controls.setText(Ctl::lblX, std::to_string(first + i), i);
    };
    constexpr int kFirst = 20;
    rename(kFirst);
    // Spaced apart under the chart, so that no label covers part of another.
    constexpr float kSpacing = 270;  // twips
    const float chartLeft = controls.geometry(Ctl::Picture1).left;
    for (int i = 0; i < count; ++i) {
        Geometry place = controls.geometry(Ctl::lblX, i);
        place.left = chartLeft + kSpacing * static_cast<float>(i);
        controls.setGeometry(Ctl::lblX, place, i);
    }
    TestWindow::pump();
    const tools::RgbImage start = tools::captureShown(form);
    std::vector<RECT> places;
    for (int i = 0; i < count; ++i) places.push_back(placeIn(form, controls.handle(Ctl::lblX, i)));

    // As the axis moves on, label i shows what label i + shift showed at start.
    const auto expectShifted = [&](int shift) {
        const tools::RgbImage now = tools::captureShown(form);
        for (int i = 0; i + shift < count; ++i) {
            EXPECT_EQ(cut(now, placeIn(form, controls.handle(Ctl::lblX, i))),
                      cut(start, places[static_cast<std::size_t>(i + shift)]))
                << "lblX(" << i << ") after a shift by " << shift;
        }
    };
    rename(kFirst + 1);
    TestWindow::pump();
    expectShifted(1);
    // Renamed twice before the window paints: the second figures show.
    rename(kFirst + 2);
    rename(kFirst + 3);
    TestWindow::pump();
    expectShifted(3);
    // Renamed while another tab is shown: the figures show when the tab is shown again.
    controls.selectTab(1);
    TestWindow::pump();
    rename(kFirst + 4);
    controls.selectTab(0);
    TestWindow::pump();
    expectShifted(4);
}

TEST(KeptText, AFigureTheUserTypedOverIsSetAgain) {
    TestWindow window{"two_petabytes.scenario"};
    win32::Win32Controls& controls = window.controls;
    const std::string figure = controls.text(Ctl::Text24);
    HWND box = controls.handle(Ctl::Text24);
    SendMessageW(box, WM_CHAR, L'9', 1);
    const std::string typed = win32::narrow(windowText(box));
    ASSERT_NE(typed, figure);
    EXPECT_EQ(controls.text(Ctl::Text24), typed);

    controls.setText(Ctl::Text24, figure);
    EXPECT_EQ(win32::narrow(windowText(box)), figure);
    EXPECT_EQ(controls.text(Ctl::Text24), figure);
}

}  // namespace
}  // namespace zarnel
