// What the picture boxes show: the pie in both colours, and a graph that scrolls.
#include <gtest/gtest.h>
#include <windows.h>

#include <utility>
#include <vector>

#include "memory/graph_scale.h"
#include "memory/pie.h"
#include "tests/win32ui/test_window.h"
#include "tools/form-dump/win32/capture.h"
#include "window/colours.h"
#include "window/contrast.h"

namespace zarnel {
namespace {

using testing::TestWindow;

constexpr COLORREF kUsedRed = RGB(255, 0, 0);
constexpr COLORREF kFreeCyan = RGB(0, 255, 255);
constexpr int kTicksBeforeScrolling = 80;  // 15 graph seconds at 0.2 a tick, and some

COLORREF at(const tools::RgbImage& image, int x, int y) {
    const auto i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) +
                    static_cast<std::size_t>(x)) *
                   3;
    return RGB(image.rgb[i], image.rgb[i + 1], image.rgb[i + 2]);
}

// The text and background a control is painted with, as its container asks the form.
std::pair<COLORREF, COLORREF> paintColours(HWND control) {
    HDC dc = CreateCompatibleDC(nullptr);
    SendMessageW(GetParent(control), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(control));
    const std::pair<COLORREF, COLORREF> colours{GetTextColor(dc), GetBkColor(dc)};
    DeleteDC(dc);
    return colours;
}

// The legend's captions sit on the pie's face: whatever that face is (a high-contrast theme
// turns the button face black), their text reads on it.
TEST(PictureBoxes, CaptionsOnAPictureReadOnWhateverItsFaceIs) {
    TestWindow window{"two_petabytes.scenario"};
    for (const Colour face : {colour::kBlack, colour::kWhite, Colour{0x800000}}) {
        window.controls.setBackColor(Ctl::Picture4, face);
        for (const Ctl caption : {Ctl::Label31, Ctl::Label32}) {
            const auto [text, back] = paintColours(window.controls.handle(caption));
            EXPECT_EQ(back, face);
            EXPECT_GE(colour::contrastRatio(text, back), 4.5) << ctlName(caption) << " on " << face;
        }
    }
}

TEST(PictureBoxes, ThePieShowsUsedAndFreeMemoryOnScreen) {
    TestWindow window{"two_petabytes.scenario"};
    const tools::RgbImage shown = tools::captureClient(window.controls.window());

    // The pie's part of Picture4: left of the labels and fields, which have the same colours.
    RECT pie{};
    GetWindowRect(window.controls.handle(Ctl::Picture4), &pie);
    RECT fields{};
    GetWindowRect(window.controls.handle(Ctl::Label31), &fields);
    pie.right = fields.left;
    MapWindowPoints(HWND_DESKTOP, window.controls.window(), reinterpret_cast<POINT*>(&pie), 2);

    int red = 0;
    int cyan = 0;
    for (int y = pie.top; y < pie.bottom; ++y) {
        for (int x = pie.left; x < pie.right; ++x) {
            red += at(shown, x, y) == kUsedRed;
            cyan += at(shown, x, y) == kFreeCyan;
        }
    }
    // 57 % used: more red than cyan, and plenty of each.
    EXPECT_GT(cyan, 1000);
    EXPECT_GT(red, cyan);
}

// One system colour set for a test, and put back at its end.
class SystemColour {
  public:
    SystemColour(int index, COLORREF colour) : index_(index), before_(GetSysColor(index)) {
        SetSysColors(1, &index_, &colour);
    }
    ~SystemColour() { SetSysColors(1, &index_, &before_); }
    SystemColour(const SystemColour&) = delete;
    SystemColour& operator=(const SystemColour&) = delete;

  private:
    int index_;
    COLORREF before_;
};

// A high-contrast theme turned on while the window is open: the pie's face takes the new button
// face under the pie, and gets the old one back when the theme is turned off.
TEST(PictureBoxes, APictureFaceFollowsTheSystemColours) {
    TestWindow window{"two_petabytes.scenario"};
    const win32::PictureBox& pie = window.controls.pictureBox(Ctl::Picture4);
    HWND form = window.controls.window();
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    ASSERT_EQ(pie.pixel(1, 1), face);
    RECT area{};
    GetClientRect(window.controls.handle(Ctl::Picture4), &area);
    POINT free{-1, -1};
    for (int y = 0; y < area.bottom && free.x < 0; ++y) {
        for (int x = 0; x < area.right && free.x < 0; ++x) {
            if (pie.pixel(x, y) == kFreeCyan) free = {x, y};
        }
    }
    ASSERT_GE(free.x, 0);

    constexpr COLORREF kBlackFace = RGB(0, 0, 0);
    {
        const SystemColour dark(COLOR_BTNFACE, kBlackFace);
        SendMessageW(form, WM_SYSCOLORCHANGE, 0, 0);
        TestWindow::pump();
        EXPECT_EQ(pie.pixel(1, 1), kBlackFace);
        EXPECT_EQ(pie.pixel(free.x, free.y), kFreeCyan);
    }
    SendMessageW(form, WM_SYSCOLORCHANGE, 0, 0);
    TestWindow::pump();
    EXPECT_EQ(pie.pixel(1, 1), face);
    EXPECT_EQ(pie.pixel(free.x, free.y), kFreeCyan);
}

// A high-contrast theme may give the button face, on which the labels and frame captions
// stand, a colour of its own: the theme's white text on a yellow face would not read.
TEST(PictureBoxes, CaptionsOnTheButtonFaceReadWhateverItsColour) {
    TestWindow window{"two_petabytes.scenario"};
    constexpr COLORREF kYellowFace = RGB(255, 255, 0);
    const SystemColour face(COLOR_BTNFACE, kYellowFace);
    const SystemColour text(COLOR_WINDOWTEXT, RGB(255, 255, 255));
    for (const Ctl caption : {Ctl::Label23, Ctl::Frame3}) {
        const auto [ink, back] = paintColours(window.controls.handle(caption));
        EXPECT_EQ(back, kYellowFace) << ctlName(caption);
        EXPECT_GE(colour::contrastRatio(ink, back), 4.5) << ctlName(caption);
    }
}

TEST(PictureBoxes, TheGraphScrollsLeftOnceItIsFull) {
    TestWindow window{"two_petabytes.scenario"};
    MemoryStatus& memory = window.platform.records.memory;
    const std::uint64_t total = memory.ullTotalPhys;
    // A saw-tooth of used memory, so that every column of the line differs from its neighbour.
    const auto tick = [&](int n) {
        memory.ullAvailPhys = total / 4 + (total / 2) * static_cast<std::uint64_t>(n % 7) / 7;
        window.form.memory().Timer1_Timer();
    };
    int n = 0;
    while (n < kTicksBeforeScrolling) tick(n++);
    ASSERT_GT(window.form.memory().GraphTime, graph::kFixedEdge);
    const int dx = window.form.memory().ScrollDX;
    ASSERT_LT(dx, 0);
    ASSERT_GE(window.form.memory().ScrollRect.right, 0);

    const win32::PictureBox& chart = window.controls.pictureBox(Ctl::Picture1);
    // The form's scroll rectangle is larger than the image; the image is what can be seen.
    RECT area{};
    GetClientRect(window.controls.handle(Ctl::Picture1), &area);
    std::vector<COLORREF> before;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) before.push_back(chart.pixel(x, y));
    tick(n);

    // Everything left of the newest step has moved by dx; the newest step is drawn anew.
    const int width = area.right - area.left;
    const int newestStep = area.left + static_cast<int>(static_cast<float>(width) *
                                                        graph::kLastStepStart / graph::kTimeUnits);
    const int kept = newestStep + dx - 1;
    int moved = 0;
    int changed = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left - dx; x < kept; ++x) {
            const COLORREF old =
                before[static_cast<std::size_t>((y - area.top) * width + (x - area.left))];
            moved += chart.pixel(x + dx, y) == old;
            changed += chart.pixel(x, y) != old;
        }
    }
    const int compared = (area.bottom - area.top) * (kept - area.left + dx);
    EXPECT_EQ(moved, compared);
    EXPECT_GT(changed, 0);  // the line is not flat, so a shift shows
}

TEST(PictureBoxes, AThinSliverOfPieIsNotDrawnAsAWholeDisc) {
    TestWindow window{"two_petabytes.scenario"};
    win32::PictureBox& box = window.controls.pictureBox(Ctl::Picture4);
    box.setBackColor(0x00FFFFFF);
    box.setFillColor(0x00FFFF00);
    const float start = 1.53F;
    box.pieWedge(600, 600, 450, start, std::nextafter(start, 2.0F));
    const int centre = window.controls.scale().toPixels(600);
    // The point opposite the sliver stays background.
    EXPECT_EQ(box.pixel(centre, centre + 20), RGB(255, 255, 255));
}

// Each step of the graph runs on from where the last one ended, up to and including its own
// end: the newest point of the trace shows.
TEST(PictureBoxes, EachLineRunsOnFromTheLastOnesEnd) {
    TestWindow window{"two_petabytes.scenario"};
    win32::PictureBox& chart = window.controls.pictureBox(Ctl::Picture1);
    const win32::Scale& scale = window.controls.scale();
    const auto twips = [&scale](int pixels) { return scale.toTwips(pixels); };
    constexpr Colour kInk = 0x00FF0000;  // blue
    constexpr COLORREF kInkPixel = RGB(0, 0, 255);
    chart.setBackColor(colour::kWhite);
    chart.setCurrentX(twips(10));
    chart.setCurrentY(twips(10));
    chart.lineTo(twips(40), twips(10), kInk);
    chart.lineTo(twips(40), twips(30), kInk);

    EXPECT_EQ(chart.pixel(25, 10), kInkPixel);
    EXPECT_EQ(chart.pixel(40, 20), kInkPixel) << "the second line starts at the first's end";
    EXPECT_EQ(chart.pixel(40, 30), kInkPixel) << "the last point";
    EXPECT_NE(chart.pixel(25, 20), kInkPixel) << "nothing from where the first line started";
}

// A line past the drawing (memory nearly all in use plots below its last row, the scale spanning
// the box's border) runs along its edge.
TEST(PictureBoxes, ALinePastTheDrawingRunsAlongItsEdge) {
    TestWindow window{"two_petabytes.scenario"};
    win32::PictureBox& chart = window.controls.pictureBox(Ctl::Picture1);
    const win32::Scale& scale = window.controls.scale();
    const auto twips = [&scale](int pixels) { return scale.toTwips(pixels); };
    RECT area{};
    GetClientRect(window.controls.handle(Ctl::Picture1), &area);
    constexpr Colour kInk = 0x00FF0000;  // blue
    constexpr COLORREF kInkPixel = RGB(0, 0, 255);
    chart.setBackColor(colour::kWhite);
    chart.setCurrentX(twips(10));
    chart.setCurrentY(twips(area.bottom + 3));
    chart.lineTo(twips(40), twips(area.bottom + 3), kInk);
    EXPECT_EQ(chart.pixel(25, area.bottom - 1), kInkPixel);
}

// All memory free shows a wholly cyan disc, none free a wholly red one, whatever it showed before.
TEST(PictureBoxes, ThePieIsOneColourWhenAllOrNoMemoryIsFree) {
    TestWindow window{"two_petabytes.scenario"};
    MemoryStatus& memory = window.platform.records.memory;
    const win32::PictureBox& pie = window.controls.pictureBox(Ctl::Picture4);
    const int centre = window.controls.scale().toPixels(kPieCentre);
    const int inside = window.controls.scale().toPixels(kPieRadius) - 2;
    for (const bool allFree : {true, false, true}) {
        SCOPED_TRACE(allFree ? "all free" : "none free");
        memory.ullAvailPhys = allFree ? memory.ullTotalPhys : 0;
        window.form.memory().Timer1_Timer();
        int red = 0;
        int cyan = 0;
        for (int y = -inside; y <= inside; ++y) {
            for (int x = -inside; x <= inside; ++x) {
                if (x * x + y * y > inside * inside) continue;
                const COLORREF shown = pie.pixel(centre + x, centre + y);
                red += shown == kUsedRed;
                cyan += shown == kFreeCyan;
            }
        }
        EXPECT_EQ(allFree ? red : cyan, 0);
        EXPECT_GT(allFree ? cyan : red, 0);
    }
}

// What a tick draws reaches the screen: the graph asks for its repaint.
TEST(PictureBoxes, ATickAsksForTheGraphsRepaint) {
    TestWindow window{"two_petabytes.scenario"};
    HWND graph = window.controls.handle(Ctl::Picture1);
    if (!IsWindowVisible(graph)) window.controls.selectTab(0);
    ASSERT_TRUE(IsWindowVisible(graph));
    UpdateWindow(graph);
    TestWindow::pump();
    ASSERT_FALSE(GetUpdateRect(graph, nullptr, FALSE));
    window.form.memory().Timer1_Timer();
    EXPECT_TRUE(GetUpdateRect(graph, nullptr, FALSE));
}

// A frame's inside is the button face whatever lay under it (the tab control's own drawing).
TEST(PictureBoxes, AFramesInsideIsErasedToTheButtonFace) {
    TestWindow window{"two_petabytes.scenario"};
    HWND frame = window.controls.handle(Ctl::Frame3);
    RECT client{};
    GetClientRect(frame, &client);
    const std::vector<COLORREF> drawn =
        testing::printed(frame, WM_ERASEBKGND, RGB(255, 0, 255));  // magenta beneath
    const auto middle =
        static_cast<std::size_t>(client.bottom / 2 * client.right + client.right / 2);
    EXPECT_EQ(drawn.at(middle), GetSysColor(COLOR_BTNFACE));
}

}  // namespace
}  // namespace zarnel
