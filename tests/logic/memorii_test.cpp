// Memory figures, the legend and when the pie is drawn.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "tests/support/memory_tab_window.h"

namespace zarnel {
namespace {

using testing::MemoryTabWindow;

struct FiguresRow {
    std::string_view name;
    std::uint64_t total;
    std::uint64_t available;
    std::uint32_t load;
    std::string_view loadText;
    std::string_view usedText;
    std::string_view freeText;
    std::string_view totalText;
    std::int64_t usedBytes;
};

class Figures : public ::testing::TestWithParam<FiguresRow> {};

TEST_P(Figures, ShowLoadUsedFreeTotalAndTheLegend) {
    const FiguresRow& row = GetParam();
    MemoryTabWindow tab;
    tab.setMemory(row.total, row.available, row.load);
    tab.form.Form_Load();
    EXPECT_EQ(tab.controls.text(Ctl::Text23), row.loadText);
    EXPECT_EQ(tab.controls.text(Ctl::Text24), row.usedText);
    EXPECT_EQ(tab.controls.text(Ctl::Text25), row.freeText);
    EXPECT_EQ(tab.controls.text(Ctl::Text26), row.totalText);
    EXPECT_EQ(tab.controls.text(Ctl::Text27), row.usedText);
    EXPECT_EQ(tab.controls.text(Ctl::Text28), row.freeText);
    EXPECT_EQ(tab.memory.TotalBytes, static_cast<std::int64_t>(row.total));
    EXPECT_EQ(tab.memory.UsedBytes, row.usedBytes);
}

INSTANTIATE_TEST_SUITE_P(
    Memorii, Figures,
    ::testing::Values(FiguresRow{.name = "HalfGigabyteMachine",
                                 .total = 536'346'624,
                                 .available = 230'686'720,
                                 .load = 57,
                                 .loadText = "57%",
                                 .usedText = "305M",
                                 .freeText = "230M",
                                 .totalText = "536M",
                                 .usedBytes = 305'659'904},
                      FiguresRow{.name = "FiguresRoundDownNeverToNearest",
                                 .total = 4'000'000,
                                 .available = 1'999'999,
                                 .load = 50,
                                 .loadText = "50%",
                                 .usedText = "2M",
                                 .freeText = "1M",
                                 .totalText = "4M",
                                 .usedBytes = 2'000'001},
                      FiguresRow{.name = "UsedComesFromBytesNotFromRoundedFigures",
                                 .total = 1'500'000,
                                 .available = 600'000,
                                 .load = 60,
                                 .loadText = "60%",
                                 .usedText = "0M",
                                 .freeText = "0M",
                                 .totalText = "1M",
                                 .usedBytes = 900'000},
                      FiguresRow{.name = "EightGigabytesPastThirtyTwoBits",
                                 .total = 8'589'934'592,
                                 .available = 6'442'450'944,
                                 .load = 25,
                                 .loadText = "25%",
                                 .usedText = "2147M",
                                 .freeText = "6442M",
                                 .totalText = "8589M",
                                 .usedBytes = 2'147'483'648},
                      FiguresRow{.name = "SixteenTerabytes",
                                 .total = 17'592'186'044'416,
                                 .available = 4'398'046'511'104,
                                 .load = 75,
                                 .loadText = "75%",
                                 .usedText = "13194139M",
                                 .freeText = "4398046M",
                                 .totalText = "17592186M",
                                 .usedBytes = 13'194'139'533'312},
                      FiguresRow{.name = "MoreAvailableThanTotalShowsNothingUsed",
                                 .total = 2'000'000'000,
                                 .available = 2'100'000'000,
                                 .load = 0,
                                 .loadText = "0%",
                                 .usedText = "0M",
                                 .freeText = "2100M",
                                 .totalText = "2000M",
                                 .usedBytes = 0},
                      FiguresRow{.name = "FailedReadingShowsZeros",
                                 .total = 0,
                                 .available = 0,
                                 .load = 0,
                                 .loadText = "0%",
                                 .usedText = "0M",
                                 .freeText = "0M",
                                 .totalText = "0M",
                                 .usedBytes = 0}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Memorii, ZeroesTheRecordAndNamesItsSize) {
    MemoryTabWindow tab;
    tab.form.Form_Load();
    EXPECT_NE(std::find(tab.platform.calls.begin(), tab.platform.calls.end(),
                        "GlobalMemoryStatusEx(" + std::to_string(sizeof(MemoryStatus)) + ")"),
              tab.platform.calls.end());
}

TEST(Memorii, SameWholeMegabyteFreeFigureLeavesThePieAlone) {
    MemoryTabWindow tab;
    tab.form.Form_Load();
    tab.tick();  // start-up asked for a redraw
    EXPECT_EQ(tab.pie().operations.size(), 2U);
    EXPECT_EQ(tab.memory.PieFreeMB, 230);

    tab.setMemory(536'346'624, 230'999'999, 57);
    tab.tick();
    EXPECT_TRUE(tab.pie().operations.empty());
    EXPECT_EQ(tab.controls.text(Ctl::Text25), "230M");

    tab.setMemory(536'346'624, 231'000'000, 57);
    tab.tick();
    EXPECT_EQ(tab.pie().operations.size(), 2U);
    EXPECT_EQ(tab.memory.PieFreeMB, 231);
}

TEST(Memorii, AMovedTotalRedrawsThePieThoughTheFreeFigureStays) {
    MemoryTabWindow tab;
    tab.form.Form_Load();
    tab.tick();
    tab.setMemory(1'073'741'824, 230'000'000, 79);  // the same 230 MB free of twice the total
    tab.tick();
    EXPECT_EQ(tab.pie().operations.size(), 2U);
    tab.tick();
    EXPECT_TRUE(tab.pie().operations.empty());
}

// The request's marker is a free figure of 1 MB, which a machine nearly out of memory has.
TEST(Memorii, RedrawRequestIsAnsweredWhateverTheFigures) {
    for (const std::uint64_t available : {100'000'000ULL, 1'500'000ULL}) {
        MemoryTabWindow tab;
        tab.setMemory(536'346'624, available, 99);
        tab.form.Form_Load();
        tab.tick();
        for (const auto request :
             {+[](Form1& f) { f.SSTab1_Click(2); }, +[](Form1& f) { f.Picture4_Click(); }}) {
            request(tab.form);
            tab.tick();
            EXPECT_EQ(tab.pie().operations.size(), 2U)
                << available << " bytes free: a request redraws at the next tick";
        }
        tab.tick();
        EXPECT_TRUE(tab.pie().operations.empty()) << "figures unchanged: nothing drawn";
    }
}

TEST(Memorii, PieIsDrawnRedThenCyanAroundTheSameCentre) {
    MemoryTabWindow tab;
    tab.form.Form_Load();
    EXPECT_EQ(tab.pie().operations,
              (std::vector<std::string>{"pie 680,680 r670 4.22614..1.53 #0000ff",
                                        "pie 680,680 r670 1.53..4.22614 #ffff00"}));
}

// Past the 32-bit megabytes of the redraw marker (some 2 PB), the share still comes from the
// whole figures: a quarter free is a quarter of the disc.
TEST(Memorii, PieSharesStayExactBeyondTheMarkersRange) {
    MemoryTabWindow tab;
    tab.setMemory(4'000'000'000'000'000, 1'000'000'000'000'000, 75);
    tab.form.Form_Load();
    EXPECT_EQ(tab.pie().operations,
              (std::vector<std::string>{"pie 680,680 r670 3.1008..1.53 #0000ff",
                                        "pie 680,680 r670 1.53..3.1008 #ffff00"}));
}

}  // namespace
}  // namespace zarnel
