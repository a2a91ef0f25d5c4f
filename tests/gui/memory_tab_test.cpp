// The memory tab in the real window: the scrolling chart's pixels, the pie's wedges and the
// events wired to the form.
#include <gtest/gtest.h>

#include <QAction>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QtTest/QTest>
#include <cmath>
#include <numbers>

#include "app/form1.h"
#include "platform/fake/fake_platform.h"
#include "ui/qt/events.h"
#include "ui/qt/main_window.h"
#include "ui/qt/picture_box.h"
#include "ui/qt/qt_controls.h"
#include "ui/qt/tab_control.h"

namespace zarnel {
namespace {

constexpr float kTwipsPerPixel = 15;
constexpr int kScrollPixels = 4;
const QRgb kRedPixel = qRgb(255, 0, 0);
const QRgb kCyanPixel = qRgb(0, 255, 255);

class MemoryWindow : public ::testing::Test {
  protected:
    MemoryWindow() : controls(window), form(controls, platform) {}

    void start() {
        qt::startForm(controls, platform, form);
        // The tests tick by hand.
        controls.timer().stop();
    }
    const QImage& chart() { return controls.pictureBox(Ctl::Picture1).image(); }
    const QImage& pie() { return controls.pictureBox(Ctl::Picture4).image(); }

    FakePlatform platform;
    qt::MainWindow window;
    qt::QtControls controls;
    Form1 form;
};

std::vector<QRgb> column(const QImage& image, int x) {
    std::vector<QRgb> pixels;
    for (int y = 0; y < image.height(); ++y) pixels.push_back(image.pixel(x, y));
    return pixels;
}

TEST_F(MemoryWindow, ScrollingTickMovesTheImageExactlyFourPixelsLeft) {
    start();
    constexpr std::uint64_t kTotal = 1'000'000'000;
    // A saw-tooth line, so that the columns differ from each other.
    for (int tick = 0; tick < 120; ++tick) {
        platform.records.memory.ullAvailPhys = kTotal / 10 * static_cast<std::uint64_t>(tick % 7);
        platform.records.memory.ullTotalPhys = kTotal;
        form.memory().Timer1_Timer();
    }
    const QImage before = chart().copy();
    form.memory().Timer1_Timer();
    const QImage& after = chart();
    // Columns left of the segment drawn in this tick have only moved.
    const int segmentStart = static_cast<int>(4335 * 14.8F / 16 / kTwipsPerPixel);
    int redColumns = 0;
    for (int x = 0; x + kScrollPixels < segmentStart - kScrollPixels; ++x) {
        ASSERT_EQ(column(after, x), column(before, x + kScrollPixels)) << "column " << x;
        const auto pixels = column(after, x);
        redColumns += std::count(pixels.begin(), pixels.end(), kRedPixel) > 0;
    }
    EXPECT_GT(redColumns, segmentStart / 2) << "the compared columns hold the line";
    // The strip uncovered at the right keeps its old pixels.
    EXPECT_EQ(column(after, after.width() - 1), column(before, before.width() - 1));
}

// Memory nearly or wholly in use plots past the drawing's last row (the scale spans the box's
// border): the line runs along that row instead of vanishing while memory runs out.
TEST_F(MemoryWindow, TheLineStaysInSightWhenMemoryRunsOut) {
    start();
    constexpr std::uint64_t kTotal = 1'000'000'000;
    for (const std::uint64_t available : {kTotal / 100, std::uint64_t{0}}) {
        platform.records.memory.ullTotalPhys = kTotal;
        platform.records.memory.ullAvailPhys = available;
        constexpr int kTicks = 10;
        for (int tick = 0; tick < kTicks; ++tick) form.memory().Timer1_Timer();
        // Within the newest step, which ends a step short of the graph time to come.
        const float x = 4335 * form.memory().GraphTime / 16 / kTwipsPerPixel - 5;
        const auto pixels = column(chart(), static_cast<int>(x));
        EXPECT_EQ(pixels.back(), kRedPixel) << available << " bytes free";
    }
}

struct ShareRow {
    const char* name;
    std::uint64_t available;  // of 1,000,000,000 bytes
    double freeShare;
};

class PieShares : public MemoryWindow, public ::testing::WithParamInterface<ShareRow> {};

// The colour at `radius` pixels from the pie's centre, at `angle` radians counterclockwise
// from 3 o'clock.
QRgb pieAt(const QImage& image, double angle, double radius) {
    const double centre = 680 / kTwipsPerPixel;
    return image.pixel(static_cast<int>(std::lround(centre + radius * std::cos(angle))),
                       static_cast<int>(std::lround(centre - radius * std::sin(angle))));
}

TEST_P(PieShares, CyanCoversTheFreeShareAndRedTheRest) {
    platform.records.memory.ullTotalPhys = 1'000'000'000;
    platform.records.memory.ullAvailPhys = GetParam().available;
    start();
    form.memory().Timer1_Timer();  // start-up asked for a redraw at the first tick
    constexpr double kTurn = 2 * std::numbers::pi;
    constexpr double kFreeStart = 1.53;
    constexpr double kClearance = 2.5;  // pixels kept clear of the black boundary radii
    constexpr int kSamples = 90;
    const double freeEnd = GetParam().freeShare * kTurn;
    int sampled = 0;
    for (int i = 0; i < kSamples; ++i) {
        const double offset = kTurn * i / kSamples;  // counterclockwise from the free start
        for (const double radius : {12.0, 25.0, 38.0}) {
            const double margin = kClearance / radius;
            if (offset < margin || std::fabs(offset - freeEnd) < margin || kTurn - offset < margin)
                continue;
            const QRgb expected = offset < freeEnd ? kCyanPixel : kRedPixel;
            EXPECT_EQ(pieAt(pie(), kFreeStart + offset, radius), expected)
                << "offset " << offset << " radius " << radius;
            ++sampled;
        }
    }
    EXPECT_GT(sampled, kSamples);
}

INSTANTIATE_TEST_SUITE_P(Pie, PieShares,
                         ::testing::Values(ShareRow{"QuarterFree", 250'000'000, 0.25},
                                           ShareRow{"EightyPercentFree", 800'000'000, 0.8},
                                           ShareRow{"AlmostAllFree", 990'000'000, 0.99},
                                           ShareRow{"AllFree", 1'000'000'000, 1.0},
                                           ShareRow{"NothingFree", 0, 0.0}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(MemoryWindow, TimerTicksAtTheSliderSpeed) {
    qt::startForm(controls, platform, form);
    ASSERT_TRUE(controls.timer().isActive());
    // A new interval is taken at the next tick: each one restarts the timer's count.
    controls.slider().setValue(5);
    EXPECT_EQ(controls.timer().interval(), 300);
    form.memory().Timer1_Timer();
    EXPECT_EQ(controls.timer().interval(), 5);
    EXPECT_TRUE(controls.timer().isActive());

    // A drag tells its value when let go, not each place the thumb passes.
    controls.slider().setSliderDown(true);
    for (int value = 301; value <= 320; ++value) controls.slider().setSliderPosition(value);
    controls.slider().setSliderDown(false);
    form.memory().Timer1_Timer();
    EXPECT_EQ(controls.timer().interval(), 320);

    // A held key steps many times between ticks; the timer goes on at the last step.
    for (int press = 0; press < 10; ++press) QTest::keyClick(&controls.slider(), Qt::Key_Right);
    EXPECT_EQ(controls.timer().interval(), 320);
    form.memory().Timer1_Timer();
    EXPECT_EQ(controls.timer().interval(), 330);

    // A page is a fifth of the range, as on Windows.
    QTest::keyClick(&controls.slider(), Qt::Key_PageUp);
    form.memory().Timer1_Timer();
    EXPECT_EQ(controls.timer().interval(), 330 + (1000 - 5) / 5);

    // The slider's ends are the slowest and the fastest tick, never a stopped timer.
    QTest::keyClick(&controls.slider(), Qt::Key_End);
    form.memory().Timer1_Timer();
    EXPECT_EQ(controls.timer().interval(), 1000);
    QTest::keyClick(&controls.slider(), Qt::Key_Home);
    form.memory().Timer1_Timer();
    EXPECT_EQ(controls.timer().interval(), 5);
    EXPECT_TRUE(controls.timer().isActive());
}

TEST_F(MemoryWindow, TabAndPieClicksAskForARedraw) {
    start();
    window.show();
    form.memory().Timer1_Timer();
    ASSERT_NE(form.memory().PieFreeMB, 1);
    controls.tabControl().setCurrentIndex(1);
    EXPECT_EQ(form.memory().PieFreeMB, 1);
    form.memory().Timer1_Timer();
    ASSERT_NE(form.memory().PieFreeMB, 1);
    controls.tabControl().setCurrentIndex(0);
    form.memory().Timer1_Timer();
    QTest::mouseClick(controls.pictureBox(Ctl::Picture4).surface(), Qt::LeftButton, {},
                      QPoint(20, 20));
    EXPECT_EQ(form.memory().PieFreeMB, 1);
}

TEST_F(MemoryWindow, MenuItemsOpenTheirAddresses) {
    start();
    platform.calls.clear();
    controls.menuItem(Ctl::book).trigger();
    controls.menuItem(Ctl::game).trigger();
    ASSERT_EQ(platform.calls.size(), 2U);
    EXPECT_NE(platform.calls[0].find("https://bookshop.org/"), std::string::npos);
    EXPECT_NE(platform.calls[1].find("https://lichess.org/"), std::string::npos);
}

TEST_F(MemoryWindow, CloseBoxClosesTheWindow) {
    start();
    window.show();
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.isVisible());
}

TEST_F(MemoryWindow, Command2StopsTheTimerAndEndsTheProgram) {
    qt::startForm(controls, platform, form);
    window.show();
    controls.button(Ctl::Command2).click();
    EXPECT_TRUE(controls.ended());
    EXPECT_FALSE(controls.timer().isActive());
}

}  // namespace
}  // namespace zarnel
