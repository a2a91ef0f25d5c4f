// The grid lines and the two axes of the line graph, as start-up leaves them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/memory_tab_window.h"

namespace zarnel {
namespace {

using testing::MemoryTabWindow;

constexpr Colour kGrid = 0x005000;
constexpr Colour kMiddle = 0x008000;

std::vector<std::string> captions(const MemoryTabWindow& tab, Ctl array) {
    std::vector<std::string> all;
    for (int i = 0; i < tab.controls.count(array); ++i) all.push_back(tab.controls.text(array, i));
    return all;
}

TEST(GraphGrid, TenHorizontalLinesDownToTheBottomEdgeWithABrighterMiddle) {
    MemoryTabWindow tab;
    tab.form.Form_Load();
    ASSERT_EQ(tab.controls.count(Ctl::Picture2), 10);
    for (int i = 0; i < 10; ++i) {
        const Geometry line = tab.controls.geometry(Ctl::Picture2, i);
        EXPECT_FLOAT_EQ(line.top, 277.5F * static_cast<float>(i + 1)) << i;
        EXPECT_FLOAT_EQ(line.left, 0);
        EXPECT_FLOAT_EQ(line.width, 4335);
        EXPECT_FLOAT_EQ(line.height, 10);
        EXPECT_TRUE(tab.controls.visible(Ctl::Picture2, i));
        EXPECT_EQ(tab.controls.backColor(Ctl::Picture2, i), i == 4 ? kMiddle : kGrid) << i;
    }
    EXPECT_FLOAT_EQ(tab.controls.geometry(Ctl::Picture2, 9).top, 2775);
}

TEST(GraphGrid, TwentyTwoVerticalLinesAtANineteenthOfTheWidth) {
    MemoryTabWindow tab;
    tab.form.Form_Load();
    ASSERT_EQ(tab.controls.count(Ctl::Picture3), 22);
    for (int k = 1; k <= 22; ++k) {
        const Geometry line = tab.controls.geometry(Ctl::Picture3, k - 1);
        EXPECT_NEAR(line.left, 228.158 * k, 0.01) << k;
        EXPECT_FLOAT_EQ(line.top, 0);
        EXPECT_FLOAT_EQ(line.width, 10);
        EXPECT_FLOAT_EQ(line.height, 2775);
        EXPECT_TRUE(tab.controls.visible(Ctl::Picture3, k - 1));
        EXPECT_EQ(tab.controls.backColor(Ctl::Picture3, k - 1), kGrid);
    }
}

struct MemoryLabelsRow {
    std::string_view name;
    std::uint64_t total;
    std::vector<std::string> captions;
};

class MemoryLabels : public ::testing::TestWithParam<MemoryLabelsRow> {};

TEST_P(MemoryLabels, FromTheTotalRoundedUpToTenMegabytesDownToZero) {
    MemoryTabWindow tab;
    tab.setMemory(GetParam().total, GetParam().total / 2);
    tab.form.Form_Load();
    EXPECT_EQ(captions(tab, Ctl::lblY), GetParam().captions);
}

INSTANTIATE_TEST_SUITE_P(
    GraphGrid, MemoryLabels,
    ::testing::Values(
        MemoryLabelsRow{"HalfGigabyte",
                        536'346'624,
                        {"540", "486", "432", "378", "324", "270", "216", "162", "108", "54", "0"}},
        MemoryLabelsRow{
            "ExactMultipleIsNotRoundedUp",
            1'000'000'000,
            {"1000", "900", "800", "700", "600", "500", "400", "300", "200", "100", "0"}},
        MemoryLabelsRow{"SixteenTerabytes",
                        17'592'186'044'416,
                        {"17592190", "15832971", "14073752", "12314533", "10555314", "8796095",
                         "7036876", "5277657", "3518438", "1759219", "0"}},
        // A total past the signed range (a corrupt reading) is held at its top; rounding it up
        // must not wrap it negative.
        MemoryLabelsRow{"BeyondTheSignedRange",
                        9'223'372'036'854'775'808U,
                        {"9223372036860", "8301034833174", "7378697629488", "6456360425802",
                         "5534023222116", "4611686018430", "3689348814744", "2767011611058",
                         "1844674407372", "922337203686", "0"}}),
    [](const auto& row) { return std::string(row.param.name); });

// The line is scaled to the total of each tick, so the axis follows a total that moves: a
// virtual machine given more memory, or a first reading that failed.
TEST(GraphGrid, MemoryLabelsFollowATotalThatMoves) {
    MemoryTabWindow tab;
    tab.setMemory(0, 0);
    tab.form.Form_Load();
    EXPECT_EQ(tab.controls.text(Ctl::lblY, 0), "0");

    tab.setMemory(4'294'967'296, 2'147'483'648);
    tab.tick();
    EXPECT_EQ(tab.controls.text(Ctl::lblY, 0), "4300");
    EXPECT_EQ(tab.controls.text(Ctl::lblY, 5), "2150");

    tab.setMemory(34'359'738'368, 32'212'254'720);
    tab.tick();
    EXPECT_EQ(captions(tab, Ctl::lblY),
              (std::vector<std::string>{"34360", "30924", "27488", "24052", "20616", "17180",
                                        "13744", "10308", "6872", "3436", "0"}));
}

TEST(GraphGrid, MemoryLabelsAreCentredOnTheGridBesideThePicture) {
    MemoryTabWindow tab;
    tab.form.Form_Load();
    ASSERT_EQ(tab.controls.count(Ctl::lblY), 11);
    for (int i = 0; i <= 10; ++i) {
        const Geometry label = tab.controls.geometry(Ctl::lblY, i);
        EXPECT_FLOAT_EQ(label.left, 100);
        EXPECT_FLOAT_EQ(label.top, 260 + 277.5F * static_cast<float>(i)) << i;
        EXPECT_FLOAT_EQ(label.width, 375);
        EXPECT_FLOAT_EQ(label.height, 200);
        EXPECT_EQ(tab.controls.alignment(Ctl::lblY, i), Align::Right);
        EXPECT_TRUE(tab.controls.visible(Ctl::lblY, i));
    }
}

TEST(GraphGrid, TimeLabelsShowZeroToSixteenCentredBelowThePicture) {
    MemoryTabWindow tab;
    tab.form.Form_Load();
    ASSERT_EQ(tab.controls.count(Ctl::lblX), 17);
    for (int i = 0; i <= 16; ++i) {
        const Geometry label = tab.controls.geometry(Ctl::lblX, i);
        EXPECT_EQ(tab.controls.text(Ctl::lblX, i), std::to_string(i));
        EXPECT_FLOAT_EQ(label.top, 3135);
        EXPECT_FLOAT_EQ(label.height, 200);
        EXPECT_FLOAT_EQ(label.left + label.width / 2, 600 + 4335.0F / 16 * static_cast<float>(i))
            << i;
        EXPECT_EQ(tab.controls.alignment(Ctl::lblX, i), Align::Center);
        EXPECT_TRUE(tab.controls.visible(Ctl::lblX, i));
    }
}

}  // namespace
}  // namespace zarnel
