// What a screen reader is told of the pie, the line graph and its axes.
#include "window/graph_descriptions.h"

#include <gtest/gtest.h>

#include <set>

#include "tests/support/memory_tab_window.h"
#include "window/figure_news.h"

namespace zarnel {
namespace {

TEST(GraphDescriptions, PieRoundsSharesThatAddUpToAHundred) {
    EXPECT_EQ(pieSummary("1M", "2M"), "使用中 1 MB (33%)、空き 2 MB (67%)");
    EXPECT_EQ(pieSummary("1M", "199M"), "使用中 1 MB (1%)、空き 199 MB (99%)");
    EXPECT_EQ(pieSummary("1M", "1M"), "使用中 1 MB (50%)、空き 1 MB (50%)");
    // Two petabytes in megabytes stays exact.
    EXPECT_EQ(pieSummary("1610612736M", "536870912M"),
              "使用中 1610612736 MB (75%)、空き 536870912 MB (25%)");
}

TEST(GraphDescriptions, TextThatHoldsNoFigureIsReadAsItStands) {
    EXPECT_EQ(pieSummary("0M", "0M"), "使用中 0M、空き 0M");
    EXPECT_EQ(pieSummary("Text27", "Text28"), "使用中 Text27、空き Text28");
    EXPECT_EQ(pieSummary("-5M", "5M"), "使用中 -5M、空き 5M");
    EXPECT_EQ(pieSummary("-1M", "3M"), "使用中 -1M、空き 3M");
    EXPECT_EQ(pieSummary("1.5M", "2M"), "使用中 1.5M、空き 2M");
    EXPECT_EQ(pieSummary("12MB", "5M"), "使用中 12MB、空き 5M");
    EXPECT_EQ(pieSummary("99999999999999999999M", "5M"), "使用中 99999999999999999999M、空き 5M");
    // Typed into the legend: figures whose shares no 64-bit number holds.
    EXPECT_EQ(pieSummary("9223372036854775807M", "1M"), "使用中 9223372036854775807M、空き 1M");
    EXPECT_EQ(pieSummary("50000000000000000M", "1M"), "使用中 50000000000000000M、空き 1M");
    EXPECT_EQ(pieSummary("23058430092136939M", "23058430092136939M"),
              "使用中 23058430092136939 MB (50%)、空き 23058430092136939 MB (50%)");
    EXPECT_EQ(lineGraphSummary("M", {}), "使用メモリ M");
}

TEST(GraphDescriptions, RangesSkipWhatIsNoNumber) {
    EXPECT_EQ(axisSummary("軸", {"10", "x", "-3", "4", "", "7x"}), "軸 -3〜10");
    EXPECT_EQ(axisSummary("軸", {}), "軸");
    EXPECT_EQ(lineGraphSummary("12M", {}), "使用メモリ 12 MB");
    EXPECT_EQ(lineGraphSummary("12M", {"3", "0", "15"}), "使用メモリ 12 MB、時間 0〜15");
}

TEST(GraphDescriptions, FiguresAreReadFromWhatTheWindowShowsNow) {
    testing::MemoryTabWindow tab;
    tab.form.Form_Load();
    tab.controls.setText(Ctl::Text27, "300M");
    tab.controls.setText(Ctl::Text28, "100M");
    EXPECT_EQ(pieSummary(tab.controls), "使用中 300 MB (75%)、空き 100 MB (25%)");
    // The time axis reads its shown labels only.
    const std::vector<int> labels = tab.controls.indices(Ctl::lblX);
    ASSERT_GE(labels.size(), 2U);
    for (const int index : labels) tab.controls.setText(Ctl::lblX, std::to_string(index), index);
    tab.controls.setVisible(Ctl::lblX, false, labels.back());
    tab.controls.setText(Ctl::Text24, "42M");
    EXPECT_EQ(lineGraphSummary(tab.controls), "使用メモリ 42 MB、時間 " +
                                                  std::to_string(labels.front()) + "〜" +
                                                  std::to_string(labels[labels.size() - 2]));
    EXPECT_EQ(timeAxisSummary(tab.controls), "時間軸 " + std::to_string(labels.front()) + "〜" +
                                                 std::to_string(labels[labels.size() - 2]));
    EXPECT_TRUE(memoryAxisSummary(tab.controls).starts_with("メモリ軸 (MB)"));
}

// A reader hears of a figure once it changed and can be seen, and of nothing more than once a
// second, however fast the ticks come.
TEST(FigureNews, ChangedFiguresOnScreenAtMostOnceASecond) {
    testing::MemoryTabWindow tab;
    tab.form.Form_Load();
    FigureNews news;
    std::set<Ctl> hidden;
    const auto told = [&](std::int64_t nowMs) {
        return news.news(tab.controls, nowMs, [&hidden](Ctl f) { return !hidden.contains(f); });
    };
    const std::int64_t start = 5'000;
    EXPECT_EQ(told(start), (std::vector{Ctl::Picture4, Ctl::Picture1, Ctl::lblX, Ctl::lblY}));
    tab.controls.setText(Ctl::Text27, "3M");
    EXPECT_EQ(told(start + kSummaryPeriodMs - kSummarySlackMs - 1),
              std::vector<Ctl>{});  // the quiet second
    // A coarse timer's tick a little early still counts as the next second.
    EXPECT_EQ(told(start + kSummaryPeriodMs - kSummarySlackMs), std::vector{Ctl::Picture4});
    EXPECT_EQ(told(start + 2 * kSummaryPeriodMs), std::vector<Ctl>{});  // nothing changed

    // Its tab away: the pie's change waits until it can be seen again, and is told then once.
    hidden = {Ctl::Picture4, Ctl::Picture1, Ctl::lblX, Ctl::lblY};
    tab.controls.setText(Ctl::Text27, "4M");
    EXPECT_EQ(told(start + 3 * kSummaryPeriodMs), std::vector<Ctl>{});
    hidden.clear();
    EXPECT_EQ(told(start + 4 * kSummaryPeriodMs), std::vector{Ctl::Picture4});
    // Changed and changed back while away: nothing new to tell.
    hidden = {Ctl::Picture4};
    tab.controls.setText(Ctl::Text27, "5M");
    EXPECT_EQ(told(start + 5 * kSummaryPeriodMs), std::vector<Ctl>{});
    tab.controls.setText(Ctl::Text27, "4M");
    hidden.clear();
    EXPECT_EQ(told(start + 6 * kSummaryPeriodMs), std::vector<Ctl>{});
}

}  // namespace
}  // namespace zarnel
