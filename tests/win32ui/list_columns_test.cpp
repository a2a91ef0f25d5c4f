// The hardware tab's lists show "caption<tab>value" lines: the values stand in one column past
// the widest caption at any DPI, and a value wider than its list scrolls into view.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "tests/win32ui/test_window.h"
#include "ui/win32/message_loop.h"
#include "ui/win32/text.h"

namespace zarnel {
namespace {

using testing::changeDpi;
using testing::printed;
using testing::TestWindow;

constexpr int kHardwareTab = 3;
constexpr int kDenser = 144;  // 150 %
// Glyphs differ in their left side bearing: a value's first ink may lie a pixel or two right of
// where it starts.
constexpr int kBearings = 2;
// About the last three characters of a line.
constexpr int kTailColumns = 24;

// A control's client area as it draws it.
class Drawn {
  public:
    explicit Drawn(HWND control) : pixels_(printed(control)) {
        RECT client{};
        GetClientRect(control, &client);
        width_ = client.right;
        height_ = client.bottom;
    }
    Drawn(std::vector<COLORREF> pixels, int width, int height)
        : pixels_(std::move(pixels)), width_(width), height_(height) {}

    // Whether column `x` differs from `background` in rows [top, bottom).
    bool inked(int x, int top, int bottom, COLORREF background) const {
        for (int y = std::max(top, 0); y < std::min(bottom, height_); ++y)
            if (pixels_[static_cast<std::size_t>(y * width_ + x)] != background) return true;
        return false;
    }
    // The columns inked in rows [top, bottom), from the left.
    std::vector<bool> inkedColumns(int top, int bottom, COLORREF background) const {
        std::vector<bool> columns;
        for (int x = 0; x < width_; ++x) columns.push_back(inked(x, top, bottom, background));
        return columns;
    }

  private:
    std::vector<COLORREF> pixels_;
    int width_ = 0;
    int height_ = 0;
};

// The first inked column at or after `from`; -1 when there is none.
int firstInk(const std::vector<bool>& columns, int from) {
    for (int x = std::max(from, 0); x < static_cast<int>(columns.size()); ++x)
        if (columns[static_cast<std::size_t>(x)]) return x;
    return -1;
}

int lastInk(const std::vector<bool>& columns) {
    for (int x = static_cast<int>(columns.size()) - 1; x >= 0; --x)
        if (columns[static_cast<std::size_t>(x)]) return x;
    return -1;
}

HFONT fontOf(HWND control) {
    return reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
}

int textWidth(HFONT font, const std::wstring& text) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, previous);
    DeleteDC(dc);
    return extent.cx;
}

RECT lineRect(HWND list, int index) {
    RECT r{};
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
}

// Where each line's value shows: its first inked column past its caption. Lines without a
// value are left out.
std::vector<int> valueColumns(const win32::Win32Controls& controls, Ctl list) {
    HWND box = controls.handle(list);
    const Drawn drawn(box);
    const COLORREF background = GetSysColor(COLOR_WINDOW);
    const std::vector<std::string> lines = controls.items(list);
    std::vector<int> starts;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto tab = lines[i].find('\t');
        if (tab == std::string::npos || tab + 1 == lines[i].size()) continue;
        const RECT row = lineRect(box, static_cast<int>(i));
        const std::vector<bool> ink = drawn.inkedColumns(row.top, row.bottom, background);
        const int captionEnd =
            firstInk(ink, row.left) + textWidth(fontOf(box), win32::widen(lines[i].substr(0, tab)));
        starts.push_back(firstInk(ink, captionEnd));
    }
    return starts;
}

void expectOneValueColumn(const win32::Win32Controls& controls, Ctl list) {
    const std::vector<int> starts = valueColumns(controls, list);
    ASSERT_GE(starts.size(), 2U) << ctlName(list);
    for (std::size_t i = 0; i < starts.size(); ++i) {
        EXPECT_GT(starts[i], 0) << ctlName(list) << " line " << i << " shows no value";
        EXPECT_NEAR(starts[i], starts[0], kBearings) << ctlName(list) << " line " << i;
    }
}

// The inked columns of `text` drawn alone in `font`, black on white.
std::vector<bool> inkOfText(HFONT font, const std::wstring& text) {
    const int width = textWidth(font, text);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    TEXTMETRICW metrics{};
    HGDIOBJ previousFont = SelectObject(dc, font);
    GetTextMetricsW(dc, &metrics);
    const int height = metrics.tmHeight;
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    HGDIOBJ previousBitmap = SelectObject(dc, bitmap);
    const RECT all{0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    TextOutW(dc, 0, 0, text.c_str(), static_cast<int>(text.size()));
    std::vector<COLORREF> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(dc, x, y));
    SelectObject(dc, previousBitmap);
    SelectObject(dc, previousFont);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return Drawn(std::move(pixels), width, height).inkedColumns(0, height, RGB(255, 255, 255));
}

// The last `count` columns up to and including the last inked one.
std::vector<bool> tail(const std::vector<bool>& columns, int count) {
    const int end = lastInk(columns) + 1;
    if (end < count) return {};
    return {columns.begin() + (end - count), columns.begin() + end};
}

bool scrollBarShown(HWND list) {
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof(bar);
    if (!GetScrollBarInfo(list, OBJID_HSCROLL, &bar)) return false;
    return (bar.rgstate[0] & STATE_SYSTEM_INVISIBLE) == 0;
}

class ListColumns : public ::testing::Test {
  protected:
    ListColumns() { controls.selectTab(kHardwareTab); }

    TestWindow window{"long_processor_name.scenario"};
    win32::Win32Controls& controls = window.controls;
};

TEST_F(ListColumns, ValuesStandInOneColumnPastTheWidestCaption) {
    for (const Ctl list : {Ctl::List2, Ctl::List3}) expectOneValueColumn(controls, list);
    changeDpi(controls, kDenser);
    for (const Ctl list : {Ctl::List2, Ctl::List3}) expectOneValueColumn(controls, list);
}

// Scrolled right as far as it goes, the processor list shows the end of the processor's name.
void expectNameEndShown(const win32::Win32Controls& controls) {
    HWND processor = controls.handle(Ctl::List2);
    ASSERT_TRUE(scrollBarShown(processor));
    SendMessageW(processor, WM_HSCROLL, SB_RIGHT, 0);
    TestWindow::pump();
    constexpr int kNameLine = 1;
    const std::string line = controls.items(Ctl::List2)[kNameLine];
    const std::wstring name = win32::widen(line.substr(line.find('\t') + 1));
    const RECT row = lineRect(processor, kNameLine);
    const std::vector<bool> shown =
        Drawn(processor).inkedColumns(row.top, row.bottom, GetSysColor(COLOR_WINDOW));
    // The name's last characters show whole, before the list's right edge.
    EXPECT_LT(lastInk(shown), static_cast<int>(shown.size()) - 1);
    EXPECT_EQ(tail(shown, kTailColumns), tail(inkOfText(fontOf(processor), name), kTailColumns));
}

// A keyboard user reaches the end of a long line too: Left and Right scroll a list wider
// inside than itself, and are left to a list whose lines fit.
TEST_F(ListColumns, LeftAndRightScrollALongLineSideways) {
    HWND processor = controls.handle(Ctl::List2);
    const auto press = [](HWND list, WPARAM key) { return MSG{list, WM_KEYDOWN, key, 0, 0, {}}; };
    EXPECT_TRUE(win32::handleListKeys(controls, press(processor, VK_RIGHT)));
    EXPECT_GT(GetScrollPos(processor, SB_HORZ), 0);
    EXPECT_TRUE(win32::handleListKeys(controls, press(processor, VK_LEFT)));
    EXPECT_EQ(GetScrollPos(processor, SB_HORZ), 0);
    EXPECT_FALSE(win32::handleListKeys(controls, press(controls.handle(Ctl::List3), VK_RIGHT)));
    EXPECT_FALSE(win32::handleListKeys(controls, press(processor, VK_DOWN)));
}

TEST_F(ListColumns, AValueWiderThanItsListScrollsIntoView) {
    EXPECT_FALSE(scrollBarShown(controls.handle(Ctl::List3))) << "its lines fit";
    expectNameEndShown(controls);
    changeDpi(controls, kDenser);
    expectNameEndShown(controls);
}

}  // namespace
}  // namespace zarnel
