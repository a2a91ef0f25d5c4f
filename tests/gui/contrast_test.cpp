// Text stays readable on the window's fixed colours in a light and in a dark theme.
#include "window/contrast.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>
#include <QWidget>

#include "ui/qt/colours.h"
#include "ui/qt/main_window.h"
#include "ui/qt/picture_box.h"
#include "ui/qt/qt_controls.h"
#include "window/colours.h"

namespace zarnel {
namespace {

constexpr double kReadable = 4.5;

// The Qt colours go through the plain colours and back unchanged where they read.
TEST(QtContrast, KeepsAReadableColourAndReplacesAnUnreadableOne) {
    const QColor darkGrey(0x30, 0x30, 0x30);
    EXPECT_EQ(qt::readableOn(Qt::white, darkGrey), darkGrey);
    EXPECT_EQ(qt::readableOn(Qt::cyan, Qt::white), QColor(Qt::black));
    EXPECT_EQ(qt::readableOn(QColor(0, 0, 128), darkGrey), QColor(Qt::white));
}

double contrastRatio(const QColor& a, const QColor& b) {
    return colour::contrastRatio(qt::plainColour(a), qt::plainColour(b));
}

// The dark theme a desktop hands the application: light text on dark faces.
QPalette darkPalette() {
    QPalette palette;
    const QColor face(0x2d, 0x2d, 0x2d);
    const QColor text(0xee, 0xee, 0xee);
    for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
        palette.setColor(role, face);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, text);
    return palette;
}

class ThemedWindow : public ::testing::TestWithParam<bool> {
  protected:
    void SetUp() override {
        if (GetParam()) QApplication::setPalette(darkPalette());
    }
    void TearDown() override { QApplication::setPalette(QPalette()); }
};

TEST_P(ThemedWindow, EveryFieldOnAFixedColourReads) {
    qt::MainWindow window;
    qt::QtControls controls(window);
    // The legend's red and cyan, the PC tab's white boxes, and a field on the theme's own face.
    for (const Ctl field : {Ctl::Text27, Ctl::Text28, Ctl::Text1, Ctl::Text2, Ctl::Text13}) {
        const QPalette& palette = controls.widget(field)->palette();
        EXPECT_GE(contrastRatio(palette.color(QPalette::Text), palette.color(QPalette::Base)),
                  kReadable)
            << ctlName(field);
    }
    EXPECT_EQ(controls.widget(Ctl::Text28)->palette().color(QPalette::Base), QColor(Qt::cyan));
    EXPECT_EQ(controls.widget(Ctl::Text27)->palette().color(QPalette::Base), QColor(Qt::red));
}

TEST_P(ThemedWindow, APictureTakesSystemColoursFromTheThemeAndPlainOnesAsTheyAre) {
    QWidget host;
    qt::PictureBox box(false, &host);
    box.resize(20, 20);
    const auto fill = [&box](Colour colour) {
        box.setBackColor(colour);
        return box.image().pixelColor(0, 0);
    };
    EXPECT_EQ(fill(colour::kButtonFace), box.palette().color(QPalette::Button));
    EXPECT_EQ(fill(colour::kWindowText), box.palette().color(QPalette::Text));
    EXPECT_EQ(fill(0x0000FF), QColor(Qt::red));
    EXPECT_EQ(fill(0x405060), QColor(0x60, 0x50, 0x40));
}

// The desktop turns dark while the window is open: the pie's face follows the theme as its
// captions do, so they still read, and what is drawn on it stays.
TEST(ThemeChange, CaptionsOnThePieReadAfterTheDesktopTurnsDark) {
    qt::MainWindow window;
    qt::QtControls controls(window);
    qt::PictureBox& pie = controls.pictureBox(Ctl::Picture4);
    pie.setFillColor(colour::kRed);
    pie.pieWedge(300, 300, 200, 0.1f, 1.0f);
    const QPoint wedge(27, 16);  // inside the wedge, in logical pixels
    const QColor drawn = pie.image().pixelColor(wedge);
    ASSERT_EQ(drawn, QColor(Qt::red));

    QApplication::setPalette(darkPalette());
    QApplication::processEvents();
    const QWidget* caption = controls.widget(Ctl::Label31);
    const QPoint centre = caption->geometry().center();
    const QColor face = pie.image().pixelColor(centre);
    QApplication::setPalette(QPalette());

    EXPECT_GE(contrastRatio(caption->palette().color(QPalette::WindowText), face), kReadable);
    EXPECT_EQ(pie.image().pixelColor(wedge), drawn);
    EXPECT_NE(face, QColor(QPalette().color(QPalette::Button)));
}

// Black reads on the red legend field (5.25:1); white (4:1) and a dark theme's light grey
// (3.4:1) do not. The check above measures through the window's own colour conversion, so a
// fault there would pass it.
TEST_P(ThemedWindow, TheRedFieldKeepsBlackText) {
    qt::MainWindow window;
    qt::QtControls controls(window);
    EXPECT_EQ(controls.widget(Ctl::Text27)->palette().color(QPalette::Text), QColor(Qt::black));
}

INSTANTIATE_TEST_SUITE_P(LightAndDark, ThemedWindow, ::testing::Bool(),
                         [](const auto& theme) { return theme.param ? "Dark" : "Light"; });

}  // namespace
}  // namespace zarnel
