// A picture box on a 2x screen draws at the screen's density, not at 1x blown up: the edge
// of the pie and a sloped line step by single device pixels.
#include <gtest/gtest.h>

#include <QImage>
#include <optional>

#include "ui/qt/picture_box.h"

namespace zarnel {
namespace {

using qt::PictureBox;

constexpr int kWidth = 100;  // logical pixels
constexpr int kHeight = 80;
constexpr float kTwips = 15;  // per logical pixel
constexpr int kRatio = 2;
constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kBlack = 0x000000;
constexpr Colour kRed = 0x0000FF;
const QRgb kWhitePixel = qRgb(255, 255, 255);
const QRgb kRedPixel = qRgb(255, 0, 0);

class HiDpiPicture : public ::testing::Test {
  protected:
    HiDpiPicture() : box(true, nullptr) {
        box.resize(kWidth, kHeight);
        box.setBackColor(kWhite);
        box.setForeColor(kBlack);
        box.setFillColor(kBlack);
    }
    void SetUp() override { ASSERT_EQ(box.devicePixelRatioF(), kRatio); }
    const QImage& image() { return box.image(); }

    PictureBox box;
};

// First column from the left in row `y` that is not background, if any.
std::optional<int> leftEdge(const QImage& image, int y) {
    for (int x = 0; x < image.width(); ++x)
        if (image.pixel(x, y) != kWhitePixel) return x;
    return std::nullopt;
}

// First row from the top in column `x` that is red, if any.
std::optional<int> topOfLine(const QImage& image, int x) {
    for (int y = 0; y < image.height(); ++y)
        if (image.pixel(x, y) == kRedPixel) return y;
    return std::nullopt;
}

TEST_F(HiDpiPicture, ImageHasTheScreensPixels) {
    EXPECT_EQ(image().size(), QSize(kWidth * kRatio, kHeight * kRatio));
    EXPECT_EQ(image().devicePixelRatio(), kRatio);
}

// Blown up from 1x, every edge would move only between rows 2k+1 and 2k+2.
TEST_F(HiDpiPicture, PieEdgeStepsWithinAPairOfDeviceRows) {
    box.pieWedge(40 * kTwips, 40 * kTwips, 30 * kTwips, 0.1F, 6.0F);
    int stepsInsidePairs = 0;
    int rowsWithEdge = 0;
    for (int y = 0; y + 1 < image().height(); y += kRatio) {
        const auto upper = leftEdge(image(), y);
        const auto lower = leftEdge(image(), y + 1);
        if (!upper || !lower) continue;
        ++rowsWithEdge;
        if (*upper != *lower) ++stepsInsidePairs;
    }
    ASSERT_GT(rowsWithEdge, 50);
    EXPECT_GT(stepsInsidePairs, rowsWithEdge / 4);
}

TEST_F(HiDpiPicture, SlopedLineStepsWithinAPairOfDeviceColumns) {
    box.setCurrentX(5 * kTwips);
    box.setCurrentY(5 * kTwips);
    box.lineTo(90 * kTwips, 40 * kTwips, kRed);
    int stepsInsidePairs = 0;
    for (int x = 5 * kRatio; x < 90 * kRatio; x += kRatio) {
        const auto left = topOfLine(image(), x);
        const auto right = topOfLine(image(), x + 1);
        ASSERT_TRUE(left && right) << x;
        if (*left != *right) ++stepsInsidePairs;
    }
    // 35 logical rows climbed over 85 columns: about 70 device steps, half inside a pair.
    EXPECT_GT(stepsInsidePairs, 20);
}

TEST_F(HiDpiPicture, ScrollMovesLogicalPixels) {
    box.setCurrentX(50 * kTwips);
    box.setCurrentY(0);
    box.lineTo(50 * kTwips, (kHeight - 1) * kTwips, kRed);
    const PixelRect all{0, 0, kWidth, kHeight};
    box.scroll(-4, 0, all, all);
    EXPECT_EQ(image().pixel((50 - 4) * kRatio, 30), kRedPixel);
    EXPECT_EQ(image().pixel(50 * kRatio, 30), kWhitePixel);
}

}  // namespace
}  // namespace zarnel
