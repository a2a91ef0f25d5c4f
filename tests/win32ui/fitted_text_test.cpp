// A figure too wide for its fixed-size field is shown in a smaller size, never cut.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "memory/graph_scale.h"
#include "tests/win32ui/test_window.h"

namespace zarnel {
namespace {

using testing::TestWindow;

// The pixels `text` takes in the font the control shows it in. Measured on a screen-compatible
// memory DC, as the window measures: under wine a control's own DC measures narrower than the
// control draws.
int textWidth(const win32::Win32Controls& controls, Ctl ctl, const std::wstring& text,
              int index = 0) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, controls.font(ctl, index));
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, previous);
    DeleteDC(dc);
    return extent.cx;
}

int clientWidth(const win32::Win32Controls& controls, Ctl ctl, int index = 0) {
    RECT client{};
    GetClientRect(controls.handle(ctl, index), &client);
    return client.right;
}

TEST(FittedText, AWideFigureShrinksItsFontAndAShortOneGetsItBack) {
    TestWindow window{"two_petabytes.scenario"};
    win32::Win32Controls& controls = window.controls;
    controls.setTimerEnabled(false);
    HFONT normal = controls.font(Ctl::Text26);

    // Every figure fits where the box really draws, inside its margins and its client edge.
    // Margins follow the font: a figure after a shrunk one is measured in its own.
    for (const std::wstring figure :
         {L"305M", L"999M", L"23382M", L"998M", L"1003M", L"999M", L"23382M", L"305M"}) {
        controls.setText(Ctl::Text27, std::string(figure.begin(), figure.end()));
        RECT drawn{};
        SendMessageW(controls.handle(Ctl::Text27), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&drawn));
        EXPECT_LE(textWidth(controls, Ctl::Text27, figure), drawn.right - drawn.left);
    }
    EXPECT_NE(controls.font(Ctl::Text27), normal);  // the pie's legend holds four digits

    controls.setText(Ctl::Text27, "12M");
    EXPECT_EQ(controls.font(Ctl::Text27), normal);
}

TEST(FittedText, AxisLabelsShowEveryDigit) {
    TestWindow window{"two_petabytes.scenario"};
    win32::Win32Controls& controls = window.controls;
    controls.setTimerEnabled(false);
    controls.setText(Ctl::lblY, "25280");
    EXPECT_LE(textWidth(controls, Ctl::lblY, L"25280"), clientWidth(controls, Ctl::lblY));
    EXPECT_EQ(controls.text(Ctl::lblY), "25280");
}

// From three digits a time-axis number is wider than a unit of the scale: it keeps to its unit
// in smaller type rather than covering or touching the next.
TEST(FittedText, TimeAxisNumbersOfEveryLengthShowWholeAndApart) {
    TestWindow window{"two_petabytes.scenario"};
    win32::Win32Controls& controls = window.controls;
    controls.setTimerEnabled(false);
    MemoryTab& memory = window.form.memory();
    for (const int start : {95, 1000, 9984, 3}) {
        memory.GraphTime = static_cast<float>(start) + graph::kFixedEdge;
        memory.LastSecond = -1;
        memory.Timer1_Timer();
        RECT before{};
        for (int i = 0; i < controls.count(Ctl::lblX); ++i) {
            const std::wstring number = std::to_wstring(start + i);
            EXPECT_LE(textWidth(controls, Ctl::lblX, number, i),
                      clientWidth(controls, Ctl::lblX, i))
                << start + i;
            RECT place{};
            GetWindowRect(controls.handle(Ctl::lblX, i), &place);
            if (i > 0) {  // apart, with at least a pixel between them
                EXPECT_LT(before.right, place.left) << start + i;
            }
            before = place;
        }
    }
}

// The memory axis's numbers stand against the graph, right-aligned: a lone "0" at the right
// edge of its label, not in its middle.
TEST(FittedText, MemoryAxisNumbersStandAtTheirRightEdge) {
    TestWindow window{"two_petabytes.scenario"};
    win32::Win32Controls& controls = window.controls;
    controls.setTimerEnabled(false);
    const std::vector<int> labels = controls.indices(Ctl::lblY);
    ASSERT_FALSE(labels.empty());
    const int zero = labels.back();
    ASSERT_EQ(controls.text(Ctl::lblY, zero), "0");
    HWND label = controls.handle(Ctl::lblY, zero);
    RECT client{};
    GetClientRect(label, &client);
    const std::vector<COLORREF> drawn = testing::printed(label);
    const COLORREF face = drawn.front();
    int lastInk = -1;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x)
            if (drawn[static_cast<std::size_t>(y * client.right + x)] != face)
                lastInk = std::max(lastInk, x);
    ASSERT_GE(lastInk, 0) << "nothing drawn";
    // Right-aligned, only the glyph's own side bearing lies between its ink and the edge;
    // centred, half the label would.
    constexpr int kSideBearing = 3;
    EXPECT_GE(lastInk, client.right - kSideBearing);
}

}  // namespace
}  // namespace zarnel
