// A figure too wide for its fixed-size field is shown in a smaller size, never cut.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/win32ui/test_window.h"

namespace zarnel {
namespace {

using testing::TestWindow;

// The pixels `text` takes in the font the control shows it in.
int textWidth(const win32::Win32Controls& controls, Ctl ctl, const std::wstring& text) {
    HWND control = controls.handle(ctl);
    HDC dc = GetDC(control);
    HGDIOBJ previous = SelectObject(dc, controls.font(ctl));
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return extent.cx;
}

int clientWidth(const win32::Win32Controls& controls, Ctl ctl) {
    RECT client{};
    GetClientRect(controls.handle(ctl), &client);
    return client.right;
}

TEST(FittedText, AWideFigureShrinksItsFontAndAShortOneGetsItBack) {
    TestWindow window{"two_petabytes.scenario"};
    win32::Win32Controls& controls = window.controls;
    controls.setTimerEnabled(false);
    HFONT normal = controls.font(Ctl::Text26);

    controls.setText(Ctl::Text27, "23382M");  // the pie's legend field holds four digits
    EXPECT_NE(controls.font(Ctl::Text27), normal);
    const auto margins = SendMessageW(controls.handle(Ctl::Text27), EM_GETMARGINS, 0, 0);
    EXPECT_LE(textWidth(controls, Ctl::Text27, L"23382M"),
              clientWidth(controls, Ctl::Text27) - LOWORD(margins) - HIWORD(margins));

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

}  // namespace
}  // namespace zarnel
