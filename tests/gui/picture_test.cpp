// Drawing on a picture box lands on the right pixels and stays there.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QPaintEvent>
#include <QPixmap>
#include <QRegion>
#include <QScreen>
#include <numbers>
#include <ostream>

#include "ui/qt/picture_box.h"

namespace zarnel {
namespace {

using qt::PictureBox;

constexpr int kWidth = 100;  // pixels
constexpr int kHeight = 80;
constexpr float kTwips = 15;  // per pixel
constexpr Colour kBlack = 0x000000;
constexpr Colour kRed = 0x0000FF;
constexpr Colour kGreen = 0x00FF00;
constexpr Colour kBlue = 0xFF0000;
constexpr Colour kCyan = 0xFFFF00;
constexpr double kPi = std::numbers::pi;

const QRgb kRedPixel = qRgb(255, 0, 0);
const QRgb kBlackPixel = qRgb(0, 0, 0);
const QRgb kGreenPixel = qRgb(0, 255, 0);
const QRgb kCyanPixel = qRgb(0, 255, 255);

// A flat box, so the image starts at the box's own top-left.
class PictureTest : public ::testing::Test {
  protected:
    PictureTest() : box(true, nullptr) {
        box.resize(kWidth, kHeight);
        box.setBackColor(kBlack);
    }
    QRgb at(int x, int y) { return box.image().pixel(x, y); }
    void verticalLine(int x, Colour colour) {
        box.setCurrentX(x * kTwips);
        box.setCurrentY(0);
        box.lineTo(x * kTwips, (kHeight - 1) * kTwips, colour);
    }

    PictureBox box;
};

TEST_F(PictureTest, LineIsOnePixelWideAndLeavesThePenAtItsEnd) {
    box.setCurrentX(10 * kTwips);
    box.setCurrentY(10 * kTwips);
    box.lineTo(10 * kTwips, 40 * kTwips, kRed);
    for (int y = 10; y <= 40; y += 5) EXPECT_EQ(at(10, y), kRedPixel) << y;
    EXPECT_EQ(at(9, 25), kBlackPixel);
    EXPECT_EQ(at(11, 25), kBlackPixel);
    EXPECT_FLOAT_EQ(box.currentX(), 10 * kTwips);
    EXPECT_FLOAT_EQ(box.currentY(), 40 * kTwips);
}

TEST_F(PictureTest, BackColourClearsWhatWasDrawn) {
    verticalLine(10, kRed);
    box.setBackColor(kBlue);
    EXPECT_EQ(at(10, 20), qRgb(0, 0, 255));
    EXPECT_EQ(at(0, 0), qRgb(0, 0, 255));
    EXPECT_EQ(at(kWidth - 1, kHeight - 1), qRgb(0, 0, 255));
}

TEST_F(PictureTest, ScrollMovesPixelsLeftAndKeepsTheUncoveredStrip) {
    verticalLine(50, kRed);
    verticalLine(kWidth - 1, kGreen);
    // The rectangle may reach past the image, as the graph's does.
    const PixelRect all{0, 0, 4335, 2775};
    box.scroll(-4, 0, all, all);
    EXPECT_EQ(at(46, 30), kRedPixel);
    EXPECT_EQ(at(50, 30), kBlackPixel);
    EXPECT_EQ(at(kWidth - 5, 30), kGreenPixel);
    EXPECT_EQ(at(kWidth - 1, 30), kGreenPixel);  // old pixels, not cleared
}

// What a scroll of the whole image by (dx, dy) must leave: every pixel moved, the strip it
// uncovers as it was.
QImage moved(const QImage& before, int dx, int dy) {
    QImage after = before.copy();
    for (int y = 0; y < before.height(); ++y) {
        for (int x = 0; x < before.width(); ++x) {
            if (before.valid(x - dx, y - dy)) after.setPixel(x, y, before.pixel(x - dx, y - dy));
        }
    }
    return after;
}

// A sideways scroll looks only at rows something was drawn on: whatever drew there, however the
// line wandered, and after the rows moved down, every pixel still moves.
TEST_F(PictureTest, ScrollMovesWhateverWasDrawnWherever) {
    constexpr int kStep = 4;
    constexpr int kSteps = 40;  // the first segments leave the image
    const PixelRect all{0, 0, kWidth, kHeight};
    const auto scrollAndCompare = [&](int dx, int dy, const char* after) {
        const QImage expected = moved(box.image(), dx, dy);
        box.scroll(dx, dy, all, all);
        ASSERT_EQ(box.image(), expected) << after;
    };
    box.setForeColor(kGreen);
    box.setFillColor(kCyan);
    box.pieWedge(20 * kTwips, 20 * kTwips, 15 * kTwips, 0, static_cast<float>(kPi / 3));
    scrollAndCompare(-kStep, 0, "a wedge");
    const int heights[] = {70, 71, 10, 12, 12, 40, 79, 0, 33};
    box.setCurrentY(kHeight / 2 * kTwips);
    for (int step = 0; step < kSteps; ++step) {
        box.setCurrentX((kWidth - kStep - 1) * kTwips);
        box.lineTo((kWidth - 1) * kTwips, heights[step % std::size(heights)] * kTwips, kRed);
        scrollAndCompare(-kStep, 0, "a wandering line");
    }
    box.setBackColor(kBlack);
    box.setCurrentX(kWidth / 2 * kTwips);
    box.setCurrentY(0);
    box.lineTo(kWidth / 2 * kTwips, kStep * kTwips, kGreen);
    scrollAndCompare(0, kHeight / 2, "a line, moved down");
    scrollAndCompare(-kStep, 0, "a line, moved down and then left");
}

// Counts the paints of a widget.
class PaintCounter : public QObject {
  public:
    int paints = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

// A chart with one grid line on it, shown, and what the screen shows of it.
class LineOnChartTest : public ::testing::Test {
  protected:
    static constexpr int kLineX = 50;

    LineOnChartTest() : chart(true, nullptr), line(true, chart.surface()) {
        chart.resize(kWidth, kHeight);
        chart.setBackColor(kBlack);
        line.setGeometry(kLineX, 0, 1, kHeight);
        line.setBackColor(kGreen);
        chart.show();
        settle();
    }

    static void settle() {
        for (int round = 0; round < 3; ++round) QCoreApplication::processEvents();
    }
    QImage shown() {
        settle();
        return chart.screen()->grabWindow(chart.winId()).toImage();
    }

    PictureBox chart;
    PictureBox line;
};

// After the chart scrolled, controls on the box stay where they are, and no copy of them moves
// along with the pixels under them.
TEST_F(LineOnChartTest, StaysWhereItIsWhenTheChartScrolls) {
    constexpr int kSteps = 3;
    constexpr int kStep = 4;
    const PixelRect all{0, 0, kWidth, kHeight};
    for (int step = 0; step < kSteps; ++step) {
        chart.scroll(-kStep, 0, all, all);
        settle();
    }
    const QImage after = shown();
    EXPECT_EQ(after.pixel(kLineX, kHeight / 2), kGreenPixel) << "the line lost its place";
    for (int step = 1; step <= kSteps; ++step)
        EXPECT_EQ(after.pixel(kLineX - step * kStep, kHeight / 2), kBlackPixel) << step;
}

// A grid line is filled by the chart's surface as it paints, not painted as a widget of its own
// (each repaint of the chart would otherwise be cut around it, or followed by a paint per line):
// it still shows its colour at its place, and follows a move and a new colour on screen.
TEST_F(LineOnChartTest, IsPaintedByTheChart) {
    constexpr int kMovedX = 80;
    PaintCounter linePaints;
    line.installEventFilter(&linePaints);
    EXPECT_EQ(shown().pixel(kLineX, kHeight / 2), kGreenPixel);

    line.move(kMovedX, 0);
    line.setBackColor(kRed);
    const QImage after = shown();
    EXPECT_EQ(after.pixel(kMovedX, kHeight / 2), kRedPixel);
    EXPECT_EQ(after.pixel(kLineX, kHeight / 2), kBlackPixel) << "the old place keeps the line";

    line.resize(1, kHeight / 2);
    EXPECT_EQ(shown().pixel(kMovedX, kHeight - 1), kBlackPixel) << "shortened";
    line.hide();
    EXPECT_EQ(shown().pixel(kMovedX, 0), kBlackPixel) << "hidden";
    line.show();
    EXPECT_EQ(shown().pixel(kMovedX, 0), kRedPixel) << "shown again";
    EXPECT_EQ(linePaints.paints, 0) << "the line painted itself";
}

// Gathers what a widget was asked to paint.
class PaintRegions : public QObject {
  public:
    QRegion painted;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

// A scroll repaints the rows whose pixels it moved, and nothing where black moved over black.
TEST_F(LineOnChartTest, ScrollRepaintsOnlyTheRowsItChanged) {
    constexpr int kTop = 20;
    constexpr int kBottom = 30;
    constexpr int kX = 70;
    const PixelRect all{0, 0, kWidth, kHeight};
    chart.setCurrentX(kX * kTwips);
    chart.setCurrentY(kTop * kTwips);
    chart.lineTo(kX * kTwips, kBottom * kTwips, kRed);
    settle();
    PaintRegions surface;
    chart.surface()->installEventFilter(&surface);

    chart.scroll(-4, 0, all, all);
    settle();
    ASSERT_FALSE(surface.painted.isEmpty());
    EXPECT_EQ(surface.painted.boundingRect().top(), kTop);
    EXPECT_EQ(surface.painted.boundingRect().bottom(), kBottom);

    chart.setBackColor(kBlack);
    settle();
    surface.painted = QRegion();
    chart.scroll(-4, 0, all, all);
    settle();
    EXPECT_TRUE(surface.painted.isEmpty()) << "an unchanged chart was repainted";
}

// A new back colour clears the chart on screen as well as in its image.
TEST_F(LineOnChartTest, NewBackColourShowsOnScreenAtOnce) {
    chart.setCurrentX(10 * kTwips);
    chart.setCurrentY(10 * kTwips);
    chart.lineTo(40 * kTwips, 60 * kTwips, kRed);
    settle();
    chart.setBackColor(kBlue);
    const QImage screen = shown();
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            if (x == kLineX) continue;
            ASSERT_EQ(screen.pixel(x, y), qRgb(0, 0, 255)) << x << "," << y;
        }
    }
}

// However the line wanders between scrolls, the screen shows the chart's image (the grid line
// aside), as a chart repainted whole at every scroll would.
TEST_F(LineOnChartTest, ScreenFollowsTheImageThroughScrolls) {
    constexpr int kSteps = 12;
    constexpr int kStep = 4;
    constexpr int kEdge = kWidth - 10;
    const int heights[] = {10, 12, 60, 61, 61, 5, 40, 79, 0, 33, 33, 34};
    const PixelRect all{0, 0, kWidth, kHeight};
    chart.setCurrentX((kEdge - kStep) * kTwips);
    chart.setCurrentY(kHeight / 2 * kTwips);
    for (int step = 0; step < kSteps; ++step) {
        chart.setCurrentX((kEdge - kStep) * kTwips);
        chart.lineTo(kEdge * kTwips, heights[step] * kTwips, kRed);
        chart.scroll(-kStep, 0, all, all);
        settle();
    }
    const QImage screen = shown();
    const QImage& image = chart.image();
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            if (x == kLineX) continue;
            ASSERT_EQ(screen.pixel(x, y), image.pixel(x, y)) << x << "," << y;
        }
    }
}

// A line shows on screen as soon as it is drawn, whichever way it runs: the chart draws
// without scrolling for its first seconds, so no scroll repaints what the line missed.
TEST_F(LineOnChartTest, ShowsOnScreenWhicheverWayItRuns) {
    const struct {
        int fromX, fromY, toX, toY;
    } lines[] = {{5, 70, 30, 10}, {35, 10, 45, 70}, {95, 60, 60, 20}, {95, 5, 60, 75}};
    for (const auto& l : lines) {
        chart.setCurrentX(static_cast<float>(l.fromX) * kTwips);
        chart.setCurrentY(static_cast<float>(l.fromY) * kTwips);
        chart.lineTo(static_cast<float>(l.toX) * kTwips, static_cast<float>(l.toY) * kTwips, kRed);
        const QImage screen = shown();
        const QImage& image = chart.image();
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                if (x == kLineX) continue;  // the grid line over the image
                ASSERT_EQ(screen.pixel(x, y), image.pixel(x, y))
                    << "line from " << l.fromX << "," << l.fromY << " at " << x << "," << y;
            }
        }
    }
}

struct WedgeCase {
    const char* name;
    double start;
    double end;
    bool upperRight;
    bool upperLeft;
    bool lowerLeft;
    bool lowerRight;
};

void PrintTo(const WedgeCase& c, std::ostream* out) {
    *out << c.name;
}

class PieWedgeTest : public PictureTest, public ::testing::WithParamInterface<WedgeCase> {};

TEST_P(PieWedgeTest, FillsExactlyTheQuadrantsItSpans) {
    const WedgeCase& c = GetParam();
    constexpr int kCx = 50;
    constexpr int kCy = 40;
    constexpr int kOff = 12;  // well inside the radius, well off the radii
    box.setFillColor(kCyan);
    box.pieWedge(kCx * kTwips, kCy * kTwips, 30 * kTwips, static_cast<float>(c.start),
                 static_cast<float>(c.end));
    const auto filled = [&](int dx, int dy) { return at(kCx + dx, kCy + dy) == kCyanPixel; };
    EXPECT_EQ(filled(kOff, -kOff), c.upperRight);
    EXPECT_EQ(filled(-kOff, -kOff), c.upperLeft);
    EXPECT_EQ(filled(-kOff, kOff), c.lowerLeft);
    EXPECT_EQ(filled(kOff, kOff), c.lowerRight);
}

TEST_F(PictureTest, WedgeOutlineAndBothRadiiUseTheForegroundColour) {
    constexpr int kCx = 50;
    constexpr int kCy = 40;
    constexpr Colour kWhite = 0xFFFFFF;
    box.setBackColor(kWhite);
    box.setForeColor(kBlack);
    box.setFillColor(kCyan);
    box.pieWedge(kCx * kTwips, kCy * kTwips, 30 * kTwips, 0, static_cast<float>(kPi / 2));
    const auto dark = [&](int x, int y) { return at(x, y) == kBlackPixel; };
    EXPECT_TRUE(dark(kCx + 20, kCy) || dark(kCx + 20, kCy - 1)) << "radius at 3 o'clock";
    EXPECT_TRUE(dark(kCx, kCy - 20) || dark(kCx + 1, kCy - 20)) << "radius at 12 o'clock";
    EXPECT_EQ(at(kCx + 10, kCy - 10), kCyanPixel);
    EXPECT_EQ(at(kCx - 10, kCy - 10), qRgb(255, 255, 255));
}

// The pie is drawn again for every megabyte that frees up: a wedge that moves no pixel must not
// repaint the box and the controls on it, and one that does must.
TEST_F(PictureTest, WedgeRepaintsOnlyWhenItMovesAPixel) {
    const auto settle = [] {
        for (int round = 0; round < 3; ++round) QCoreApplication::processEvents();
    };
    const auto quarter = [this](double end) {
        box.pieWedge(50 * kTwips, 40 * kTwips, 30 * kTwips, 0, static_cast<float>(end));
    };
    box.setFillColor(kCyan);
    box.show();
    quarter(kPi / 2);
    settle();
    PaintCounter counter;
    box.surface()->installEventFilter(&counter);

    quarter(kPi / 2);
    settle();
    EXPECT_EQ(counter.paints, 0) << "the same wedge again";

    box.setFillColor(kRed);
    quarter(kPi / 2);
    settle();
    EXPECT_GT(counter.paints, 0) << "the same wedge in another colour";
    EXPECT_EQ(box.surface()->grab().toImage().pixel(60, 30), kRedPixel);
}

// A grid line is a box that is only ever coloured: it shows its colour without a drawing area,
// and one made later, to draw or to hold a control, starts from that colour.
TEST(PlainPictureTest, ShowsItsBackColourUntilDrawnOn) {
    PictureBox line(true, nullptr);
    line.resize(kWidth, kHeight);
    line.setBackColor(kGreen);
    line.show();
    line.hide();
    EXPECT_TRUE(line.findChildren<QWidget*>().isEmpty()) << "a widget more for every grid line";
    EXPECT_EQ(line.grab().toImage().pixel(kWidth / 2, kHeight / 2), kGreenPixel);

    line.setBackColor(kCyan);
    EXPECT_EQ(line.grab().toImage().pixel(kWidth - 1, kHeight - 1), kCyanPixel);

    line.setCurrentX(0);
    line.setCurrentY(0);
    line.lineTo(0, (kHeight - 1) * kTwips, kRed);
    const QImage drawn = line.grab().toImage();
    EXPECT_EQ(drawn.pixel(0, kHeight / 2), kRedPixel);
    EXPECT_EQ(drawn.pixel(kWidth / 2, kHeight / 2), kCyanPixel);
}

INSTANTIATE_TEST_SUITE_P(Quadrants, PieWedgeTest,
                         ::testing::Values(WedgeCase{.name = "FirstQuarter",
                                                     .start = 0,
                                                     .end = kPi / 2,
                                                     .upperRight = true,
                                                     .upperLeft = false,
                                                     .lowerLeft = false,
                                                     .lowerRight = false},
                                           WedgeCase{.name = "SecondQuarterWrittenNegative",
                                                     .start = -kPi / 2,
                                                     .end = -kPi,
                                                     .upperRight = false,
                                                     .upperLeft = true,
                                                     .lowerLeft = false,
                                                     .lowerRight = false},
                                           WedgeCase{.name = "LowerHalf",
                                                     .start = kPi,
                                                     .end = 2 * kPi,
                                                     .upperRight = false,
                                                     .upperLeft = false,
                                                     .lowerLeft = true,
                                                     .lowerRight = true},
                                           WedgeCase{.name = "ThroughThreeOClock",
                                                     .start = 3 * kPi / 2,
                                                     .end = kPi / 2,
                                                     .upperRight = true,
                                                     .upperLeft = false,
                                                     .lowerLeft = false,
                                                     .lowerRight = true}),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace zarnel
