// The window made smaller than its client area by the user: the client scrolls, and the
// control that had the focus keeps it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTimer>
#include <QWheelEvent>
#include <QtTest/QTest>

#include "app/form1.h"
#include "platform/fake/fake_platform.h"
#include "ui/qt/events.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_controls.h"
#include "ui/qt/tab_control.h"

namespace zarnel {
namespace {

// The window started on a fake machine, its graph held still.
class WindowResize : public ::testing::Test {
  protected:
    WindowResize() {
        qt::startForm(controls, platform, form);
        controls.timer().stop();
    }

    FakePlatform platform;
    qt::MainWindow window;
    qt::QtControls controls{window};
    Form1 form{controls, platform};
};

TEST_F(WindowResize, AShrunkWindowScrollsAndKeepsTheFocus) {
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    ASSERT_EQ(window.centralWidget(), window.client()) << "a window that fits does not scroll";
    QWidget* slider = controls.widget(Ctl::Slider1);
    slider->setFocus();
    const QSize client = window.client()->size();

    window.resize(window.width(), window.height() - client.height() / 2);
    QApplication::processEvents();  // the layouts of the new scroll area
    auto* scroller = qobject_cast<QScrollArea*>(window.centralWidget());
    ASSERT_NE(scroller, nullptr);
    EXPECT_EQ(window.client()->size(), client);
    EXPECT_GT(scroller->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(QApplication::focusWidget(), slider);

    // Made large again, the client fills the window as before.
    window.resize(window.width() + 40, window.height() + client.height());
    QApplication::processEvents();
    EXPECT_EQ(scroller->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(window.client()->width(), scroller->viewport()->width());
}

// The wheel over the tab strip of a shrunk window is the window's to scroll by: it never
// turns the tab.
TEST_F(WindowResize, TheWheelOverTheTabStripTurnsNoTab) {
    window.show();
    window.resize(window.width(), window.height() - window.client()->height() / 2);
    QApplication::processEvents();
    ASSERT_NE(qobject_cast<QScrollArea*>(window.centralWidget()), nullptr);
    QTabBar* strip = controls.tabControl().tabBar();

    constexpr int kNotch = QWheelEvent::DefaultDeltasPerStep;
    for (const int notch : {-kNotch, kNotch}) {
        const QPointF at = QRectF(strip->rect()).center();
        QWheelEvent turn(at, strip->mapToGlobal(at), QPoint(), QPoint(0, notch), Qt::NoButton,
                         Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(strip, &turn);
        EXPECT_EQ(strip->currentIndex(), 0) << "a notch of " << notch << " turned the tab";
        // Left untaken, the notch goes on to the scroll area holding the strip.
        EXPECT_FALSE(turn.isAccepted()) << "the strip kept a notch of " << notch;
    }
}

}  // namespace
}  // namespace zarnel
