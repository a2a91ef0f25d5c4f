// The window on a screen shorter than itself (this program's screen, at twice the density, is):
// it opens no larger than the screen and scrolls its controls into reach.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QtTest/QTest>

#include "app/form1.h"
#include "platform/fake/fake_platform.h"
#include "ui/qt/events.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_controls.h"
#include "window/layout.h"

namespace zarnel {
namespace {

constexpr int kMostTabPresses = 200;

class ShortScreen : public ::testing::Test {
  protected:
    ShortScreen() : controls(window), form(controls, platform) {
        qt::startForm(controls, platform, form);
        controls.timer().stop();
        window.show();
    }

    // The part of `widget` a user sees: inside the window's client area (or the part of it
    // scrolled into view) and on the screen.
    QRect seenPart(QWidget* widget) {
        QWidget* area = window.centralWidget();
        if (auto* scroller = qobject_cast<QScrollArea*>(area)) area = scroller->viewport();
        const auto global = [](QWidget* w) { return QRect(w->mapToGlobal(QPoint()), w->size()); };
        return global(widget) & global(area) & window.screen()->availableGeometry();
    }

    FakePlatform platform;
    qt::MainWindow window;
    qt::QtControls controls;
    Form1 form;
};

TEST_F(ShortScreen, WindowFitsTheScreenAndScrollsItsClient) {
    const QRect room = window.screen()->availableGeometry();
    ASSERT_LT(room.height(), layout::kClientHeight / layout::kTwipsPerPixel)
        << "the screen is meant to be shorter than the window";
    EXPECT_LE(window.height(), room.height());
    auto* scroller = qobject_cast<QScrollArea*>(window.centralWidget());
    ASSERT_NE(scroller, nullptr);
    EXPECT_EQ(scroller->widget(), window.client());
    // The client keeps its size, so every control keeps its place.
    EXPECT_EQ(window.client()->height(), layout::kClientHeight / layout::kTwipsPerPixel);
    EXPECT_GT(scroller->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(controls.widget(Ctl::Slider1)->mapTo(window.client(), QPoint()),
              QPoint(controls.geometry(Ctl::Slider1).left / layout::kTwipsPerPixel,
                     controls.geometry(Ctl::Slider1).top / layout::kTwipsPerPixel) +
                  controls.widget(Ctl::Frame9)->mapTo(window.client(), QPoint()));
}

TEST_F(ShortScreen, TabbingToAControlBelowTheScreenScrollsItIntoView) {
    QWidget* slider = controls.widget(Ctl::Slider1);
    ASSERT_NE(seenPart(slider).size(), slider->size()) << "the slider starts out of sight";
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    // The focus is on a control from the start, and the scroll area is never one of the stops.
    const auto onAControl = [] {
        QWidget* focused = QApplication::focusWidget();
        return focused && !qobject_cast<QScrollArea*>(focused);
    };
    ASSERT_TRUE(onAControl());
    for (int press = 0; press < kMostTabPresses && QApplication::focusWidget() != slider; ++press) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_TRUE(onAControl()) << "after " << press + 1 << " presses";
    }
    ASSERT_EQ(QApplication::focusWidget(), slider);
    EXPECT_EQ(seenPart(slider).size(), slider->size());
}

}  // namespace
}  // namespace zarnel
