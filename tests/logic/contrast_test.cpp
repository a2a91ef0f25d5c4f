// The contrast rule both windows keep text readable by.
#include "window/contrast.h"

#include <gtest/gtest.h>

#include "window/colours.h"

namespace zarnel {
namespace {

constexpr Colour kDarkGrey = 0x303030;
constexpr Colour kNavy = 0x800000;  // 00BBGGRR

TEST(Contrast, RatiosFollowTheWcagFormula) {
    EXPECT_NEAR(colour::contrastRatio(colour::kBlack, colour::kWhite), 21.0, 1e-9);
    EXPECT_NEAR(colour::contrastRatio(colour::kWhite, colour::kWhite), 1.0, 1e-9);
    EXPECT_NEAR(colour::contrastRatio(colour::kRed, colour::kWhite), 4.0, 0.01);
    EXPECT_NEAR(colour::contrastRatio(colour::kRed, colour::kBlack), 5.25, 0.01);
    // Blue weighs least: the channels are read from the right bytes.
    EXPECT_LT(colour::contrastRatio(kNavy, colour::kBlack),
              colour::contrastRatio(0x000080, colour::kBlack));
}

TEST(Contrast, KeepsAReadableColourAndReplacesAnUnreadableOne) {
    EXPECT_EQ(colour::readableOn(colour::kWhite, kDarkGrey), kDarkGrey);
    EXPECT_EQ(colour::readableOn(colour::kCyan, colour::kWhite), colour::kBlack);
    EXPECT_EQ(colour::readableOn(kNavy, kDarkGrey), colour::kWhite);
    EXPECT_EQ(colour::readableOn(colour::kBlack, colour::kBlack), colour::kWhite);
}

}  // namespace
}  // namespace zarnel
