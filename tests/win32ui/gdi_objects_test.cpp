// The window gives back every GDI object it makes: ticking does not grow the count, and the
// ways the program ends leave nothing behind.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "tests/win32ui/test_window.h"

namespace zarnel {
namespace {

using testing::gdiObjects;
using testing::TestWindow;

constexpr int kTicks = 1000;
constexpr std::uint64_t kMegabyte = 1 << 20;
constexpr int kFreeSteps = 50;

TEST(GdiObjects, AThousandTicksLeaveTheCountFlat) {
    TestWindow window{"two_petabytes.scenario"};
    const std::uint64_t lowest = window.platform.records.memory.ullAvailPhys / 2;
    const auto tick = [&](int ticks) {
        for (int i = 0; i < ticks; ++i) {
            // The pie and the figures change at every tick.
            window.platform.records.memory.ullAvailPhys = lowest + (i % kFreeSteps) * kMegabyte;
            window.form.memory().Timer1_Timer();
        }
    };
    // The first thousand make what stays for the window's life: label sizes, brushes, and the
    // smaller type the time axis takes once its numbers have three digits.
    tick(kTicks);
    const int before = gdiObjects();
    tick(kTicks);
    EXPECT_EQ(gdiObjects(), before);
}

// Opens a window and ends it in each of the program's ways; the GDI object count after each.
std::vector<int> endInEveryWay() {
    std::vector<int> counts;
    {
        TestWindow window{"two_petabytes.scenario"};
        SendMessageW(window.controls.window(), WM_CLOSE, 0, 0);
    }
    counts.push_back(gdiObjects());
    {
        TestWindow window{"two_petabytes.scenario"};
        window.controls.selectTab(2);
        SendMessageW(window.controls.handle(Ctl::Command2), BM_CLICK, 0, 0);
    }
    counts.push_back(gdiObjects());
    {
        TestWindow window{"power_fails.scenario"};
        SendMessageW(window.controls.window(), WM_CLOSE, 0, 0);
    }
    counts.push_back(gdiObjects());
    return counts;
}

TEST(GdiObjects, EveryWayOfEndingGivesEverythingBack) {
    // The system keeps what the first windows and message box load (control classes, fonts,
    // icons, themes) for the process: a first round settles that.
    endInEveryWay();
    const int start = gdiObjects();
    const std::vector<int> counts = endInEveryWay();
    EXPECT_EQ(counts[0], start) << "after closing";
    EXPECT_EQ(counts[1], start) << "after Command2";
    EXPECT_EQ(counts[2], start) << "after the power message";
}

}  // namespace
}  // namespace zarnel
