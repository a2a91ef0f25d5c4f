// The pie's two wedges split the disc by the free share, whatever the share.
#include "memory/pie.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

namespace zarnel {
namespace {

constexpr double kTurn = 2 * std::numbers::pi;
// Single-precision angles and the window's 6.28318 for a turn keep shares this close.
constexpr double kShareTolerance = 2e-6;

// How far a wedge opens counterclockwise from its start to its end.
double span(const PieWedge& wedge) {
    return std::fmod(static_cast<double>(wedge.end) - wedge.start + kTurn, kTurn);
}

struct ShareRow {
    std::string_view name;
    std::int32_t freeMB;
    std::int32_t totalMB;
    double freeShare;
};

class Shares : public ::testing::TestWithParam<ShareRow> {};

TEST_P(Shares, CyanWedgeCoversTheFreeShareAndRedTheRest) {
    const ShareRow& row = GetParam();
    const auto wedges = pieWedges(row.freeMB, row.totalMB);
    ASSERT_EQ(wedges[0].fill, kPieUsed);
    ASSERT_EQ(wedges[1].fill, kPieFree);
    EXPECT_FLOAT_EQ(wedges[1].start, 1.53F) << "free memory starts just right of 12 o'clock";
    for (const PieWedge& wedge : wedges) {
        EXPECT_GE(wedge.start, 0);
        EXPECT_LT(wedge.start, kTurn);
        EXPECT_GE(wedge.end, 0);
        EXPECT_LT(wedge.end, kTurn);
    }
    EXPECT_NEAR(span(wedges[1]) / kTurn, row.freeShare, kShareTolerance);
    EXPECT_NEAR((span(wedges[0]) + span(wedges[1])) / kTurn, 1, kShareTolerance);
}

INSTANTIATE_TEST_SUITE_P(
    PieWedges, Shares,
    ::testing::Values(
        ShareRow{.name = "Quarter", .freeMB = 250, .totalMB = 1000, .freeShare = 0.25},
        ShareRow{"Half", 268, 536, 0.5}, ShareRow{"JustBelowAFullTurn", 7564, 10000, 0.7564},
        ShareRow{"JustAboveAFullTurn", 7566, 10000, 0.7566},
        ShareRow{"EightyPercent", 800, 1000, 0.8}, ShareRow{"AlmostAllFree", 999, 1000, 0.999},
        ShareRow{"QuarterOfSixteenTerabytes", 4'398'046, 17'592'186, 0.25},
        ShareRow{"OneMegabyteFree", 1, 2'000'000, 0.0000005}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(PieWedges, AllFreeIsACyanDiscUpToTheWindowsShortTurn) {
    const auto wedges = pieWedges(1000, 1000);
    EXPECT_NEAR(span(wedges[1]), 6.28318, 1e-5);
    EXPECT_LT(span(wedges[0]), 1e-5);
}

struct AllRedRow {
    std::string_view name;
    std::int32_t freeMB;
    std::int32_t totalMB;
};

class AllRed : public ::testing::TestWithParam<AllRedRow> {};

TEST_P(AllRed, RedWedgesMakeTheWholeDiscWithOneBoundary) {
    const auto wedges = pieWedges(GetParam().freeMB, GetParam().totalMB);
    for (const PieWedge& wedge : wedges) EXPECT_EQ(wedge.fill, kPieUsed);
    EXPECT_FLOAT_EQ(wedges[0].start, 1.53F);
    EXPECT_NEAR(span(wedges[0]), kTurn, 1e-6);
    EXPECT_NEAR((span(wedges[0]) + span(wedges[1])) / kTurn, 1, kShareTolerance);
    EXPECT_EQ(wedges[0].end, wedges[1].start);
    EXPECT_EQ(wedges[1].end, wedges[0].start);
}

INSTANTIATE_TEST_SUITE_P(PieWedges, AllRed,
                         ::testing::Values(AllRedRow{"NothingFree", 0, 536},
                                           AllRedRow{"NoTotalDoesNotDivideByZero", 0, 0},
                                           AllRedRow{"FreeButNoTotal", 5, 0}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(PieWedges, MoreFreeThanTotalIsShownAsAllFree) {
    const auto over = pieWedges(1200, 1000);
    const auto all = pieWedges(1000, 1000);
    EXPECT_FLOAT_EQ(over[1].end, all[1].end);
}

}  // namespace
}  // namespace zarnel
