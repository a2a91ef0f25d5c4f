// The window made shorter than its contents (a short screen at 150 %, or the user): the form
// scrolls them, and what the keyboard reaches comes into view.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/win32ui/test_window.h"
#include "ui/win32/message_loop.h"
#include "window/layout.h"

namespace zarnel {
namespace {

using testing::TestWindow;

// A wheel setting changed for one test and given back however the test ends: the prefix keeps
// it for every program that runs after.
class WheelSetting {
  public:
    WheelSetting(UINT get, UINT set) : set_(set) {
        saved_ = SystemParametersInfoW(get, 0, &value_, 0) != FALSE;
    }
    WheelSetting(const WheelSetting&) = delete;
    WheelSetting& operator=(const WheelSetting&) = delete;
    ~WheelSetting() {
        if (saved_) SystemParametersInfoW(set_, value_, nullptr, 0);
    }

    bool change(UINT value) const {
        return saved_ && SystemParametersInfoW(set_, value, nullptr, 0) != FALSE;
    }

  private:
    UINT set_;
    UINT value_ = 0;
    bool saved_ = false;
};

// Where a control shows, in the form's client pixels.
RECT onForm(HWND form, HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Every control of the form, with where it shows.
std::vector<std::pair<HWND, RECT>> placesOnForm(HWND form) {
    std::vector<std::pair<HWND, RECT>> places;
    EnumChildWindows(
        form,
        [](HWND child, LPARAM found) {
            auto& list = *reinterpret_cast<std::vector<std::pair<HWND, RECT>>*>(found);
            list.emplace_back(child, onForm(GetAncestor(child, GA_ROOT), child));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&places));
    return places;
}

bool fullyShown(HWND form, HWND control) {
    RECT client{};
    GetClientRect(form, &client);
    const RECT r = onForm(form, control);
    return r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom;
}

class FormScroll : public ::testing::Test {
  protected:
    FormScroll() {
        GetClientRect(form, &design);
        tabsAt = onForm(form, controls.handle(Ctl::SSTab1));
    }

    // Makes the client area `height` pixels high, and wider by a scroll bar.
    void resizeClient(LONG height, LONG extraWidth) {
        RECT outer{};
        GetWindowRect(form, &outer);
        RECT client{};
        GetClientRect(form, &client);
        SetWindowPos(form, nullptr, 0, 0, outer.right - outer.left + extraWidth,
                     outer.bottom - outer.top - client.bottom + height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        TestWindow::pump();
    }
    // A request of the form's own bar, as a click or drag on it sends it.
    void scroll(WORD request, UINT bar = WM_VSCROLL, WORD thumb = 0) {
        SendMessageW(form, bar, MAKEWPARAM(request, thumb), 0);
        TestWindow::pump();
    }
    // Dragged onto a screen twice as dense, with the window twice as large, as Windows suggests.
    void dragOntoDoubleDensity() {
        constexpr int kDouble = 192;
        RECT outer{};
        GetWindowRect(form, &outer);
        RECT suggested{outer.left, outer.top, outer.left + (outer.right - outer.left) * 2,
                       outer.top + (outer.bottom - outer.top) * 2};
        SendMessageW(form, WM_DPICHANGED, MAKEWPARAM(kDouble, kDouble),
                     reinterpret_cast<LPARAM>(&suggested));
        TestWindow::pump();
    }
    // How far the contents are scrolled down: the tab strip's rise.
    LONG scrolledDown() const {
        return tabsAt.top - onForm(form, controls.handle(Ctl::SSTab1)).top;
    }
    // Scrolled to both ends, the contents' bottom-right corner is the client area's.
    void expectBothBarsReachTheCorner() {
        scroll(SB_BOTTOM);
        scroll(SB_RIGHT, WM_HSCROLL);
        RECT client{};
        GetClientRect(form, &client);
        EXPECT_EQ(scrolledDown(), design.bottom - client.bottom);
        EXPECT_EQ(onForm(form, controls.handle(Ctl::SSTab1)).left,
                  tabsAt.left - (design.right - client.right));
    }

    TestWindow window{"two_petabytes.scenario"};
    win32::Win32Controls& controls = window.controls;
    HWND form = controls.window();
    RECT design{};
    RECT tabsAt{};
};

TEST_F(FormScroll, AShortWindowScrollsItsContentsAndGrowsBackToThem) {
    ASSERT_EQ(design.bottom, controls.scale().toPixels(layout::kClientHeight));
    EXPECT_EQ(GetWindowLongPtrW(form, GWL_STYLE) & WS_VSCROLL, 0) << "a window that fits";
    const int bar = GetSystemMetrics(SM_CXVSCROLL);
    resizeClient(design.bottom / 2, bar);

    EXPECT_NE(GetWindowLongPtrW(form, GWL_STYLE) & WS_VSCROLL, 0);
    SCROLLINFO info{sizeof(info), SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(form, SB_VERT, &info));
    EXPECT_EQ(info.nMax + 1, design.bottom);
    EXPECT_EQ(static_cast<LONG>(info.nPage), design.bottom / 2);
    HWND slider = controls.handle(Ctl::Slider1);
    EXPECT_FALSE(fullyShown(form, slider));

    scroll(SB_BOTTOM);
    EXPECT_TRUE(fullyShown(form, slider));
    // Everything moved together: the tab strip by the whole offset, the controls on it with it.
    const RECT tabs = onForm(form, controls.handle(Ctl::SSTab1));
    EXPECT_EQ(tabs.top, tabsAt.top - design.bottom / 2);
    EXPECT_EQ(tabs.left, tabsAt.left);

    // Made tall again, the contents are back where they were and the bar goes.
    resizeClient(design.bottom, -bar);
    EXPECT_EQ(onForm(form, controls.handle(Ctl::SSTab1)).top, tabsAt.top);
    EXPECT_EQ(GetWindowLongPtrW(form, GWL_STYLE) & WS_VSCROLL, 0);
}

TEST_F(FormScroll, TheKeyboardBringsItsControlIntoView) {
    resizeClient(design.bottom / 2, GetSystemMetrics(SM_CXVSCROLL));
    HWND slider = controls.handle(Ctl::Slider1);
    ASSERT_FALSE(fullyShown(form, slider));
    // Slider1 is the memory tab's last stop; Shift+Tab from the tab strip comes round to it.
    SetFocus(controls.handle(Ctl::SSTab1));
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    const MSG tab{controls.handle(Ctl::SSTab1), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_TRUE(win32::handleTabKeys(controls, tab));
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    ASSERT_EQ(GetFocus(), slider);
    EXPECT_TRUE(fullyShown(form, slider));

    // And back to the top for the tab strip, taller than the window: its top shows.
    const MSG next{slider, WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_TRUE(win32::handleTabKeys(controls, next));
    ASSERT_EQ(GetFocus(), controls.handle(Ctl::SSTab1));
    EXPECT_EQ(onForm(form, controls.handle(Ctl::SSTab1)).top, tabsAt.top);

    // Ctrl+Tab from the slider turns the tab and gives the strip the focus: in view too.
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    EXPECT_TRUE(win32::handleTabKeys(controls, tab));
    ASSERT_EQ(GetFocus(), slider);
    keys[VK_SHIFT] = 0;
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    const MSG turn{slider, WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_TRUE(win32::handleTabKeys(controls, turn));
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    ASSERT_EQ(GetFocus(), controls.handle(Ctl::SSTab1));
    EXPECT_EQ(onForm(form, controls.handle(Ctl::SSTab1)).top, tabsAt.top);
}

TEST_F(FormScroll, ControlsMovedWhileScrolledKeepTheOffset) {
    resizeClient(design.bottom / 2, GetSystemMetrics(SM_CXVSCROLL));
    scroll(SB_BOTTOM);
    const RECT before = onForm(form, controls.handle(Ctl::Frame3));
    // The frame moved by the program 150 twips (ten pixels at 96 dpi) down.
    Geometry moved = controls.geometry(Ctl::Frame3);
    moved.top += 150;
    controls.setGeometry(Ctl::Frame3, moved);
    EXPECT_EQ(onForm(form, controls.handle(Ctl::Frame3)).top,
              before.top + controls.scale().toPixels(150));
}

TEST_F(FormScroll, ComingBackToTheWindowKeepsWhereTheUserScrolled) {
    resizeClient(design.bottom / 2, GetSystemMetrics(SM_CXVSCROLL));
    SetFocus(controls.handle(Ctl::SSTab1));  // the bar scrolls; the focus stays at the top
    scroll(SB_BOTTOM);
    const LONG scrolled = onForm(form, controls.handle(Ctl::SSTab1)).top;
    ASSERT_LT(scrolled, tabsAt.top);
    SendMessageW(form, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
    SendMessageW(form, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0);
    TestWindow::pump();
    EXPECT_EQ(GetFocus(), controls.handle(Ctl::SSTab1));
    EXPECT_EQ(onForm(form, controls.handle(Ctl::SSTab1)).top, scrolled);
}

// Scrolled to the slider and dragged onto a screen twice as dense (the window scaled with it, as
// Windows suggests), the slider is still in view: the place scrolled to is kept, not its pixels.
TEST_F(FormScroll, ANewScaleKeepsThePlaceScrolledTo) {
    resizeClient(design.bottom / 2, GetSystemMetrics(SM_CXVSCROLL));
    scroll(SB_BOTTOM);
    HWND slider = controls.handle(Ctl::Slider1);
    ASSERT_TRUE(fullyShown(form, slider));
    dragOntoDoubleDensity();
    EXPECT_TRUE(fullyShown(form, slider));
}

// Dragged, its top some way down, onto a screen dense enough that the form is taller than it.
TEST_F(FormScroll, OnADenseShortScreenTheWindowLiesInTheWorkArea) {
    SetWindowPos(form, nullptr, 100, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    dragOntoDoubleDensity();
    MONITORINFO monitor{sizeof(monitor), {}, {}, 0};
    ASSERT_TRUE(GetMonitorInfoW(MonitorFromWindow(form, MONITOR_DEFAULTTONEAREST), &monitor));
    const int content = controls.scale().toPixels(layout::kClientHeight);
    ASSERT_GT(content, monitor.rcWork.bottom - monitor.rcWork.top) << "meant to be too short";

    RECT outer{};
    GetWindowRect(form, &outer);
    EXPECT_GE(outer.top, monitor.rcWork.top);
    EXPECT_LE(outer.bottom, monitor.rcWork.bottom);
    scroll(SB_BOTTOM);
    RECT slider{};
    GetWindowRect(controls.handle(Ctl::Slider1), &slider);
    EXPECT_LE(slider.bottom, monitor.rcWork.bottom);
    // Wider by the one bar, with no blank strip beside the contents.
    RECT client{};
    GetClientRect(form, &client);
    EXPECT_EQ(client.right, controls.scale().toPixels(layout::kClientWidth));
}

TEST_F(FormScroll, TheWheelScrollsByTheSystemsSetting) {
    resizeClient(design.bottom / 3, GetSystemMetrics(SM_CXVSCROLL));
    const WheelSetting lines(SPI_GETWHEELSCROLLLINES, SPI_SETWHEELSCROLLLINES);
    const auto turn = [&](int notches) {
        SendMessageW(form, WM_MOUSEWHEEL, MAKEWPARAM(0, -notches * WHEEL_DELTA), 0);
        TestWindow::pump();
        return tabsAt.top - onForm(form, controls.handle(Ctl::SSTab1)).top;
    };
    const LONG oneNotch = turn(1);
    EXPECT_GT(oneNotch, 0);
    EXPECT_LE(oneNotch, design.bottom / 3);
    EXPECT_EQ(turn(-1), 0) << "turned back";

    // A page a notch, as the system may be set, and never past the end.
    ASSERT_TRUE(lines.change(WHEEL_PAGESCROLL));
    const LONG onePage = turn(1);
    const LONG pastTheEnd = turn(10);
    EXPECT_EQ(onePage, design.bottom / 3);
    EXPECT_EQ(pastTheEnd, design.bottom - design.bottom / 3);
}

// A wheel that turns in small steps (a precision touchpad, a free-spinning wheel) scrolls as
// far as the whole notches its steps add up to.
TEST_F(FormScroll, SmallWheelStepsAddUpToWholeNotches) {
    resizeClient(design.bottom / 3, GetSystemMetrics(SM_CXVSCROLL));
    const auto turn = [&](int delta, int times) {
        for (int i = 0; i < times; ++i) {
            SendMessageW(form, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), 0);
        }
        TestWindow::pump();
        return scrolledDown();
    };
    const LONG notch = turn(-WHEEL_DELTA, 1);
    ASSERT_GT(notch, 0);
    ASSERT_EQ(turn(WHEEL_DELTA, 1), 0);

    EXPECT_EQ(turn(-1, WHEEL_DELTA), notch) << "a notch in its smallest steps";
    EXPECT_EQ(turn(1, WHEEL_DELTA), 0) << "and back";
    constexpr int kStep = 8;
    EXPECT_EQ(turn(-kStep, WHEEL_DELTA / kStep), notch) << "a notch in steps of 8";

    // Turned back, the wheel starts afresh: what the other way left short of a pixel does not
    // swallow the first steps back.
    ASSERT_EQ(turn(WHEEL_DELTA, 1), 0);
    constexpr int kStepsDown = 61;
    const LONG down = turn(-1, kStepsDown);
    const int stepsForAPixel = (WHEEL_DELTA + notch - 1) / notch;
    ASSERT_LT(stepsForAPixel * notch - kStepsDown * notch % WHEEL_DELTA, WHEEL_DELTA)
        << "a remainder kept from the way down would swallow the pixel";
    EXPECT_EQ(turn(1, stepsForAPixel), down - 1);
}

// The wheel over a list with nothing to scroll scrolls the shrunk window, as over any other
// control; the list would keep it.
TEST_F(FormScroll, TheWheelOverAListThatDoesNotScrollScrollsTheWindow) {
    controls.selectTab(3);
    resizeClient(design.bottom / 2, GetSystemMetrics(SM_CXVSCROLL));
    const MSG turn{controls.handle(Ctl::List3),
                   WM_MOUSEWHEEL,
                   MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
                   0,
                   0,
                   {}};
    EXPECT_TRUE(win32::handleListWheel(controls, turn));
    TestWindow::pump();
    EXPECT_GT(scrolledDown(), 0);
    const MSG overAField{controls.handle(Ctl::Text12), WM_MOUSEWHEEL, turn.wParam, 0, 0, {}};
    EXPECT_FALSE(win32::handleListWheel(controls, overAField)) << "left to the field";

    // Given more lines than it shows, the list scrolls them itself.
    constexpr int kMoreLinesThanShown = 100;
    for (int line = 0; line < kMoreLinesThanShown; ++line)
        controls.addItem(Ctl::List3, "line\t" + std::to_string(line));
    EXPECT_FALSE(win32::handleListWheel(controls, turn)) << "left to the list";
}

// Windows sends the wheel to the control under the pointer: over a drive, folder or speed the
// user has not gone to, it scrolls the shrunk window and leaves the choice as it was; gone to,
// the choice takes it.
TEST_F(FormScroll, TheWheelOverAChoiceWithoutTheFocusScrollsTheWindow) {
    resizeClient(design.bottom / 2, GetSystemMetrics(SM_CXVSCROLL));
    for (const Ctl choice : {Ctl::Drive1, Ctl::Combo1, Ctl::Slider1}) {
        const MSG turn{controls.handle(choice),
                       WM_MOUSEWHEEL,
                       MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
                       0,
                       0,
                       {}};
        SetFocus(controls.handle(Ctl::Text8));
        scroll(SB_TOP);
        EXPECT_TRUE(win32::handleChoiceWheel(controls, turn)) << static_cast<int>(choice);
        TestWindow::pump();
        EXPECT_GT(scrolledDown(), 0) << static_cast<int>(choice);

        SetFocus(controls.handle(choice));
        ASSERT_EQ(GetFocus(), controls.handle(choice));
        EXPECT_FALSE(win32::handleChoiceWheel(controls, turn)) << "left to the choice";
    }
    const MSG overAList{controls.handle(Ctl::List3),
                        WM_MOUSEWHEEL,
                        MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
                        0,
                        0,
                        {}};
    EXPECT_FALSE(win32::handleChoiceWheel(controls, overAList));
}

// A wheel tilted right, or a touchpad swiped sideways, scrolls a narrow window to the right.
TEST_F(FormScroll, TiltingTheWheelScrollsSideways) {
    resizeClient(design.bottom, -design.right / 2);
    ASSERT_NE(GetWindowLongPtrW(form, GWL_STYLE) & WS_HSCROLL, 0);
    const auto tilt = [&](int delta) {
        SendMessageW(form, WM_MOUSEHWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), 0);
        TestWindow::pump();
        return tabsAt.left - onForm(form, controls.handle(Ctl::SSTab1)).left;
    };
    EXPECT_GT(tilt(WHEEL_DELTA), 0) << "tilted right, the contents move left";
    EXPECT_EQ(scrolledDown(), 0);
    EXPECT_EQ(tilt(-WHEEL_DELTA), 0) << "and back";

    // Sideways the wheel goes by the characters set for it, not by the lines.
    const WheelSetting lines(SPI_GETWHEELSCROLLLINES, SPI_SETWHEELSCROLLLINES);
    const WheelSetting characters(SPI_GETWHEELSCROLLCHARS, SPI_SETWHEELSCROLLCHARS);
    constexpr UINT kThree = 3;
    ASSERT_TRUE(lines.change(kThree));
    ASSERT_TRUE(characters.change(1));
    const LONG oneCharacter = tilt(WHEEL_DELTA);
    ASSERT_TRUE(characters.change(kThree));
    const LONG threeCharacters = tilt(WHEEL_DELTA) - oneCharacter;
    EXPECT_GT(oneCharacter, 0);
    EXPECT_EQ(threeCharacters, kThree * oneCharacter);
}

// The bar's arrows, its trough and its thumb, clicked in a window half as tall as the form.
TEST_F(FormScroll, TheBarsArrowsTroughAndThumbMoveTheContents) {
    resizeClient(design.bottom / 2, GetSystemMetrics(SM_CXVSCROLL));
    const LONG page = design.bottom / 2;

    scroll(SB_PAGEDOWN);  // a click in the trough below the thumb
    EXPECT_EQ(scrolledDown(), page);
    scroll(SB_LINEUP);  // the upper arrow: less than a page back
    const LONG afterLineUp = scrolledDown();
    EXPECT_LT(afterLineUp, page);
    EXPECT_GT(afterLineUp, 0);
    scroll(SB_LINEDOWN);
    EXPECT_EQ(scrolledDown(), page);
    scroll(SB_PAGEUP);  // above the thumb: back at the top
    EXPECT_EQ(scrolledDown(), 0);

    constexpr WORD kThumbAt = 40;
    scroll(SB_THUMBTRACK, WM_VSCROLL, kThumbAt);
    EXPECT_EQ(scrolledDown(), kThumbAt) << "the contents follow the dragged thumb";
}

// Shorter than its contents but no wider: the vertical bar takes its width from the contents,
// so a horizontal bar comes too, and scrolled to its ends both bars leave nothing out.
TEST_F(FormScroll, AWindowAsWideAsItsContentsAndShorterScrollsToEveryEdge) {
    resizeClient(design.bottom / 2, 0);
    ASSERT_NE(GetWindowLongPtrW(form, GWL_STYLE) & WS_VSCROLL, 0);
    EXPECT_NE(GetWindowLongPtrW(form, GWL_STYLE) & WS_HSCROLL, 0);
    expectBothBarsReachTheCorner();
    EXPECT_TRUE(fullyShown(form, controls.handle(Ctl::Slider1)));
}

// Made larger than its contents, straight away or after the user scrolled a shrunk window to
// its far corner: no bar shows and every control is where it was.
TEST_F(FormScroll, AWindowGrownPastItsContentsMovesNothing) {
    const std::vector<std::pair<HWND, RECT>> before = placesOnForm(form);
    ASSERT_GT(before.size(), 100U);
    for (const bool scrolledFirst : {false, true}) {
        SCOPED_TRACE(scrolledFirst ? "after scrolling" : "straight away");
        if (scrolledFirst) {
            resizeClient(design.bottom / 2, -design.right / 2);
            scroll(SB_BOTTOM);
            scroll(SB_RIGHT, WM_HSCROLL);
            ASSERT_GT(scrolledDown(), 0);
        }
        resizeClient(design.bottom * 2, design.right);
        EXPECT_EQ(GetWindowLongPtrW(form, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL), 0);
        const std::vector<std::pair<HWND, RECT>> after = placesOnForm(form);
        ASSERT_EQ(after.size(), before.size());
        for (std::size_t i = 0; i < after.size(); ++i) {
            const RECT& was = before[i].second;
            const RECT& is = after[i].second;
            EXPECT_TRUE(EqualRect(&is, &was))
                << "control " << GetDlgCtrlID(after[i].first) << " at " << is.left << "," << is.top
                << " instead of " << was.left << "," << was.top;
        }
    }
}

// The bar's thumb stands where the contents are, however they were moved, and the bar's "Top"
// and "Left" (its menu, or Home on it) take them back to the start.
TEST_F(FormScroll, TheThumbsFollowTheContentsAndTopAndLeftGoBack) {
    resizeClient(design.bottom / 2, -design.right / 2);
    ASSERT_NE(GetWindowLongPtrW(form, GWL_STYLE) & WS_VSCROLL, 0);
    ASSERT_NE(GetWindowLongPtrW(form, GWL_STYLE) & WS_HSCROLL, 0);
    const auto scrolledRight = [&] {
        return tabsAt.left - onForm(form, controls.handle(Ctl::SSTab1)).left;
    };

    scroll(SB_PAGEDOWN);
    SendMessageW(form, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    scroll(SB_PAGERIGHT, WM_HSCROLL);
    TestWindow::pump();
    ASSERT_GT(scrolledDown(), 0);
    ASSERT_GT(scrolledRight(), 0);
    EXPECT_EQ(GetScrollPos(form, SB_VERT), scrolledDown());
    EXPECT_EQ(GetScrollPos(form, SB_HORZ), scrolledRight());

    scroll(SB_TOP);
    EXPECT_EQ(scrolledDown(), 0);
    EXPECT_EQ(GetScrollPos(form, SB_VERT), 0);
    scroll(SB_LEFT, WM_HSCROLL);
    EXPECT_EQ(scrolledRight(), 0);
    EXPECT_EQ(GetScrollPos(form, SB_HORZ), 0);
}

// Narrower than its contents but exactly as tall: the horizontal bar then covers the contents'
// bottom, so a vertical bar comes too, and scrolled to their ends both bars leave nothing out.
TEST_F(FormScroll, AWindowAsTallAsItsContentsAndNarrowerScrollsToEveryEdge) {
    resizeClient(design.bottom, -design.right / 2);
    ASSERT_NE(GetWindowLongPtrW(form, GWL_STYLE) & WS_HSCROLL, 0);
    EXPECT_NE(GetWindowLongPtrW(form, GWL_STYLE) & WS_VSCROLL, 0);
    expectBothBarsReachTheCorner();
}

// A wheel set to more lines than the window shows scrolls one page a notch: nothing is skipped.
TEST_F(FormScroll, ANotchNeverScrollsMoreThanAPage) {
    resizeClient(design.bottom / 3, GetSystemMetrics(SM_CXVSCROLL));
    const WheelSetting lines(SPI_GETWHEELSCROLLLINES, SPI_SETWHEELSCROLLLINES);
    constexpr UINT kManyLines = 100;
    ASSERT_TRUE(lines.change(kManyLines));
    SendMessageW(form, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    TestWindow::pump();
    const LONG oneNotch = scrolledDown();
    RECT client{};
    GetClientRect(form, &client);
    EXPECT_EQ(oneNotch, client.bottom);
}

// Tab to a control past the right edge of a narrow window scrolls it into view sideways.
TEST_F(FormScroll, TheKeyboardBringsAControlOnTheRightIntoView) {
    resizeClient(design.bottom, -design.right / 2);
    RECT client{};
    GetClientRect(form, &client);
    HWND from = nullptr;
    HWND to = nullptr;
    for (HWND stop : controls.tabStops()) {
        if (!IsWindowVisible(stop)) continue;
        const RECT r = onForm(form, stop);
        if (from && r.right > client.right && r.right - r.left <= client.right) {
            to = stop;
            break;
        }
        from = stop;
    }
    ASSERT_NE(to, nullptr) << "no stop past the right edge";
    const MSG tab{from, WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_TRUE(win32::handleTabKeys(controls, tab));
    ASSERT_EQ(GetFocus(), to);
    EXPECT_TRUE(fullyShown(form, to));

    // Shown already, a control the keyboard comes back to moves nothing.
    const LONG scrolledRight = tabsAt.left - onForm(form, controls.handle(Ctl::SSTab1)).left;
    ASSERT_GT(scrolledRight, 0);
    controls.reveal(to);
    TestWindow::pump();
    EXPECT_EQ(tabsAt.left - onForm(form, controls.handle(Ctl::SSTab1)).left, scrolledRight);
    EXPECT_EQ(scrolledDown(), 0);
}

}  // namespace
}  // namespace zarnel
