// The ticks of Timer1: the growing line, the fixed edge with its scroll, the relabelling and
// the stop.
#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/memory_tab_window.h"

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer runtime's count of live heap bytes (GCC ships no header declaring it).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace zarnel {
namespace {

using testing::MemoryTabWindow;

constexpr int kGrowingTicks = 75;
constexpr int kStopTick = 49'975;

// Bytes the heap holds for live allocations now.
std::size_t liveHeapBytes() {
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#elif defined(_WIN32)
    // The C runtime's heap, entry by entry: Windows keeps no running total.
    std::size_t used = 0;
    _HEAPINFO entry{};
    while (_heapwalk(&entry) == _HEAPOK) {
        if (entry._useflag == _USEDENTRY) used += entry._size;
    }
    return used;
#else
    return mallinfo2().uordblks;
#endif
}

bool slept(const MemoryTabWindow& tab) {
    return std::count(tab.platform.calls.begin(), tab.platform.calls.end(), "Sleep(10)") == 1;
}

struct Started : MemoryTabWindow {
    Started() {
        form.Form_Load();
        platform.calls.clear();
    }
};

TEST(GraphStartUp, PreparesABlackPersistentImageAndStartsTheTimer) {
    Started tab;
    EXPECT_EQ(tab.chart().operations, (std::vector<std::string>{"autoredraw on", "clear #000000"}));
    EXPECT_FLOAT_EQ(tab.chart().x, 0);
    EXPECT_FLOAT_EQ(tab.chart().y, 1387.5);
    EXPECT_EQ(tab.memory.ScrollRect.right, 4335);
    EXPECT_EQ(tab.memory.ScrollRect.bottom, 2775);
    EXPECT_EQ(tab.memory.ClipRect.right, tab.memory.ScrollRect.right);
    EXPECT_EQ(tab.memory.ClipRect.bottom, tab.memory.ScrollRect.bottom);
    EXPECT_EQ(tab.memory.PieFreeMB, 1);
    EXPECT_TRUE(tab.controls.timerEnabled());
}

TEST(Timer1Timer, FirstTickIsAVerticalStrokeOnTheLeftEdge) {
    Started tab;
    tab.tick();
    // 305 of 536 MB used: 305 / 536 x 2775 twips below the top.
    EXPECT_EQ(tab.chart().operations,
              (std::vector<std::string>{"line 0,1387.5-0,1579.06 #0000ff"}));
    EXPECT_FLOAT_EQ(tab.memory.GraphTime, 0.2F);
}

// A reading that fails has no point to plot and no share to show: the line leaves a gap instead
// of going to the top (all free) and starts afresh at the next reading, never drawn through the
// missing one; the pie stands blank instead of red (all in use), and the axis keeps the last
// total.
TEST(Timer1Timer, AFailedReadingIsPlottedAsNothing) {
    Started tab;
    tab.tick();
    const std::string axisTop = tab.controls.text(Ctl::lblY, 0);
    tab.platform.failures["GlobalMemoryStatusEx"] = 13;
    tab.setMemory(0, 0);
    tab.tick();
    EXPECT_EQ(tab.chart().operations, std::vector<std::string>{});
    EXPECT_EQ(tab.pie().operations, std::vector<std::string>{"clear #8000000f"});
    EXPECT_EQ(tab.controls.text(Ctl::lblY, 0), axisTop);
    EXPECT_EQ(tab.controls.text(Ctl::Text26), "0M");

    tab.platform.failures.clear();
    tab.setMemory(536'000'000, 231'000'000);
    tab.tick();
    // 305 of 536 MB used at graph time 0.4: the line starts where it ends.
    EXPECT_EQ(tab.chart().operations,
              std::vector<std::string>{"line 108.375,1579.06-108.375,1579.06 #0000ff"});
    EXPECT_EQ(tab.pie().operations.size(), 2U) << "two wedges";
    tab.tick();
    EXPECT_EQ(tab.chart().operations,
              std::vector<std::string>{"line 108.375,1579.06-162.562,1579.06 #0000ff"});
}

TEST(Timer1Timer, SeventyFiveTicksGrowTheLineWithoutScrolling) {
    Started tab;
    for (int i = 0; i < kGrowingTicks; ++i) {
        tab.tick();
        ASSERT_EQ(tab.chart().operations.size(), 1U) << "tick " << i + 1;
        ASSERT_FALSE(slept(tab));
        tab.platform.calls.clear();
    }
    EXPECT_EQ(tab.memory.GraphTime, 14.99999F);
    EXPECT_NEAR(tab.chart().x, 4335 * 14.8 / 16, 0.01);
}

TEST(Timer1Timer, SeventySixthTickStillGrowsThenScrollsFourPixelsLeft) {
    Started tab;
    tab.tick(kGrowingTicks);
    tab.platform.calls.clear();
    tab.tick();
    ASSERT_EQ(tab.chart().operations.size(), 2U);
    // Still growing: the segment ends at GraphX(14.99999), a hair left of the fixed edge.
    EXPECT_EQ(tab.chart().operations[0], "line 4009.87,1579.06-4064.06,1579.06 #0000ff");
    EXPECT_FLOAT_EQ(tab.chart().x, 4335 * 14.99999F / 16);
    EXPECT_LT(tab.chart().x, 4335 * 15.0F / 16);
    EXPECT_EQ(tab.chart().operations[1], "scroll -4,0 in 4335x2775");
    EXPECT_EQ(tab.memory.ScrollDX, -4);
    EXPECT_EQ(tab.memory.ScrollDY, 0);
    EXPECT_TRUE(slept(tab));
    EXPECT_EQ(tab.memory.GraphTime, 15.19999F);
}

TEST(Timer1Timer, SeventySeventhTickIsTheFirstAtTheFixedEdge) {
    Started tab;
    tab.tick(kGrowingTicks + 1);
    tab.setMemory(536'346'624, 0);
    tab.tick();
    ASSERT_EQ(tab.chart().operations.size(), 2U);
    // The pen jumps back to GraphX(14.8) at the height where the last segment ended.
    EXPECT_EQ(tab.chart().operations[0], "line 4009.88,1579.06-4064.06,2775 #0000ff");
    EXPECT_EQ(tab.chart().operations[1], "scroll -4,0 in 4335x2775");
}

TEST(Timer1Timer, TimeLabelsFollowTheWholePartOfTheGraphTime) {
    Started tab;
    constexpr std::string_view kUntouched = "-";
    const auto relabelled = [&] { return tab.controls.text(Ctl::lblX, 16) != kUntouched; };
    for (int tick = 1; tick <= 81; ++tick) {
        tab.controls.setText(Ctl::lblX, kUntouched, 16);
        tab.tick();
        const bool expected = tick == 76 || tick == 81;  // whole part 15, then 16
        ASSERT_EQ(relabelled(), expected) << "tick " << tick;
        if (tick == 76) {
            EXPECT_EQ(tab.controls.text(Ctl::lblX, 0), "0");
            EXPECT_EQ(tab.memory.LastSecond, 15);
        }
    }
    EXPECT_EQ(tab.controls.text(Ctl::lblX, 0), "1");
    EXPECT_EQ(tab.controls.text(Ctl::lblX, 16), "17");
    EXPECT_EQ(tab.memory.LastSecond, 16);
}

TEST(Timer1Timer, TimeLabelsFromSevenStayCentredUnderTheirPositions) {
    Started tab;
    tab.tick(110);  // graph time 22: the left edge shows 7
    for (int i = 0; i <= 16; ++i) {
        EXPECT_EQ(tab.controls.text(Ctl::lblX, i), std::to_string(7 + i));
        const Geometry label = tab.controls.geometry(Ctl::lblX, i);
        EXPECT_FLOAT_EQ(label.left + label.width / 2, 600 + 4335.0F / 16 * static_cast<float>(i));
        EXPECT_FLOAT_EQ(label.top, 3135);
    }
}

// From three digits a number is wider than a unit of the scale: every such number keeps to
// its unit less the gap, the first one found too wide as much as those after it.
TEST(Timer1Timer, ThreeDigitTimeLabelsKeepToTheirUnit) {
    Started tab;
    const float unit = 4335.0F / 16;
    for (const int start : {84, 85, 100}) {
        // Ticks to the graph time whose left edge shows `start`: five ticks a graph second.
        constexpr int kEnoughTicks = 600;
        for (int ticks = 0; ticks < kEnoughTicks; ++ticks) {
            if (tab.controls.text(Ctl::lblX, 0) == std::to_string(start)) break;
            tab.tick();
        }
        for (int i = 0; i <= 16; ++i) {
            const std::string number = std::to_string(start + i);
            ASSERT_EQ(tab.controls.text(Ctl::lblX, i), number);
            const Geometry label = tab.controls.geometry(Ctl::lblX, i);
            if (number.size() >= 3) {
                EXPECT_FLOAT_EQ(label.width, unit - 30) << number;
            }
            EXPECT_FLOAT_EQ(label.left + label.width / 2, 600 + unit * static_cast<float>(i))
                << number;
        }
    }
}

// Single precision no longer steps the graph's time evenly past 10000: the graph stands still
// from there, but the figures and the pie must not show an old reading as the memory now.
TEST(Timer1Timer, GraphStandsStillAfterTickFortyNineThousandNineHundredSeventyFive) {
    Started tab;
    const int controlsAfterStartUp = tab.controls.count(Ctl::lblX) + tab.controls.count(Ctl::lblY) +
                                     tab.controls.count(Ctl::Picture2) +
                                     tab.controls.count(Ctl::Picture3);
    std::size_t heapAtTick1000 = 0;
    int ticks = 0;
    while (tab.memory.GraphTime <= 10000) {
        tab.tick();
        tab.platform.calls.clear();
        ++ticks;
        if (ticks == 1000) heapAtTick1000 = liveHeapBytes();
        ASSERT_LE(ticks, kStopTick) << "the graph never reached its end";
    }
    EXPECT_EQ(ticks, kStopTick);
    EXPECT_EQ(tab.memory.GraphTime, 10000.0537F);
    EXPECT_EQ(tab.controls.count(Ctl::lblX) + tab.controls.count(Ctl::lblY) +
                  tab.controls.count(Ctl::Picture2) + tab.controls.count(Ctl::Picture3),
              controlsAfterStartUp);
    // The last tick draws its segment and ends before scrolling.
    EXPECT_EQ(tab.chart().operations.size(), 1U);
    constexpr std::uint64_t kScrollingTicks = kStopTick - kGrowingTicks - 1;
    EXPECT_EQ(tab.platform.sleptMilliseconds, kScrollingTicks * 10);
    constexpr std::size_t kHeapSlack = 64 * 1024;
    EXPECT_LT(liveHeapBytes(), heapAtTick1000 + kHeapSlack);

    // Memory moves on: the figures and the pie follow it, the graph and its axes do not.
    const auto memoryLabels = [&tab] {
        std::vector<std::string> texts;
        for (int i = 0; i < tab.controls.count(Ctl::lblY); ++i)
            texts.push_back(tab.controls.text(Ctl::lblY, i));
        return texts;
    };
    const std::vector<std::string> labels = memoryLabels();
    tab.setMemory(1'073'741'824, 100'000'000, 91);
    tab.tick(3);
    EXPECT_TRUE(tab.controls.timerEnabled());
    EXPECT_EQ(tab.controls.text(Ctl::Text25), "100M");
    EXPECT_EQ(tab.controls.text(Ctl::Text23), "91%");
    EXPECT_TRUE(tab.chart().operations.empty());
    EXPECT_EQ(tab.memory.GraphTime, 10000.0537F);
    EXPECT_EQ(tab.platform.sleptMilliseconds, kScrollingTicks * 10);
    EXPECT_EQ(memoryLabels(), labels) << "the still graph keeps its scale";
}

TEST(Timer1Timer, EveryScrollingTickSleepsTenMilliseconds) {
    Started tab;
    tab.tick(kGrowingTicks + 25);
    EXPECT_EQ(tab.platform.sleptMilliseconds, 25U * 10);
}

}  // namespace
}  // namespace zarnel
