// The window made smaller than its client area by the user: the client scrolls, and the
// control that had the focus keeps it.
#include <QtTest/qtestspontaneevent.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
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
        platform.records.drives = {.entries = {"c: [/]", "d: [/home]", "e: [/mnt]"}, .selected = 1};
        qt::startForm(controls, platform, form);
        controls.timer().stop();
    }

    // The window shrunk to half its client's height, so that it scrolls.
    QScrollArea* shrunk() {
        window.show();
        window.resize(window.width(), window.height() - window.client()->height() / 2);
        QApplication::processEvents();
        return qobject_cast<QScrollArea*>(window.centralWidget());
    }

    // How far the window scrolled when the wheel turned `notches` over the middle of `widget`
    // (down for a negative count), as a mouse turns it: what the widget leaves untaken goes on
    // to the widgets holding it.
    int scrolledByTurning(QWidget* widget, int notches) {
        const QScrollBar* bar =
            qobject_cast<QScrollArea*>(window.centralWidget())->verticalScrollBar();
        const int before = bar->value();
        const QPointF at = QRectF(widget->rect()).center();
        QWheelEvent turn(at, widget->mapToGlobal(at), QPoint(),
                         QPoint(0, notches * QWheelEvent::DefaultDeltasPerStep), Qt::NoButton,
                         Qt::NoModifier, Qt::NoScrollPhase, false);
        // Sent, an event is never spontaneous; the application's own handling is asked, as a
        // mouse's turn reaches it.
        QSpontaneKeyEvent::setSpontaneous(&turn);
        qApp->notify(widget, &turn);
        return bar->value() - before;
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

// Made a little shorter, as a window manager fits a window and its title bar to the screen,
// the window widens by the vertical bar: no horizontal bar, no control cut at the right.
TEST_F(WindowResize, AWindowMadeOnlyShorterWidensByItsScrollBar) {
    window.show();
    const int width = window.width();
    window.resize(width, window.height() - 10);
    QApplication::processEvents();
    auto* scroller = qobject_cast<QScrollArea*>(window.centralWidget());
    ASSERT_NE(scroller, nullptr);
    EXPECT_GT(scroller->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(scroller->horizontalScrollBar()->maximum(), 0);
    EXPECT_GT(window.width(), width);

    // Made narrower by the user, it stays as narrow as they made it.
    window.resize(width - 40, window.height());
    QApplication::processEvents();
    EXPECT_EQ(window.width(), width - 40);
    EXPECT_GT(scroller->horizontalScrollBar()->maximum(), 0);
}

// The wheel over the tab strip of a shrunk window is the window's to scroll by: it never
// turns the tab.
TEST_F(WindowResize, TheWheelOverTheTabStripTurnsNoTab) {
    ASSERT_NE(shrunk(), nullptr);
    QTabBar* strip = controls.tabControl().tabBar();
    EXPECT_GT(scrolledByTurning(strip, -1), 0);
    EXPECT_EQ(strip->currentIndex(), 0) << "a notch down turned the tab";
    EXPECT_LT(scrolledByTurning(strip, 1), 0);
    EXPECT_EQ(strip->currentIndex(), 0) << "a notch up turned the tab";
}

// Over a choice the user has not gone to (a drive, a folder, the graph's speed) the wheel of a
// shrunk window is the window's to scroll by and leaves the choice as it was; gone to, the
// choice takes the wheel as before.
TEST_F(WindowResize, TheWheelTurnsAChoiceOnlyOnceItHasTheFocus) {
    QScrollBar* bar = shrunk()->verticalScrollBar();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    constexpr int kMemoryTab = 0;
    constexpr int kDiskTab = 2;
    const struct {
        Ctl ctl;
        int tab;
    } choices[] = {{Ctl::Drive1, kDiskTab}, {Ctl::Combo1, kDiskTab}, {Ctl::Slider1, kMemoryTab}};
    for (const auto& choice : choices) {
        controls.tabControl().setCurrentIndex(choice.tab);
        QWidget* widget = controls.widget(choice.ctl);
        const auto value = [&] {
            return choice.ctl == Ctl::Slider1 ? controls.slider().value()
                                              : controls.listIndex(choice.ctl);
        };
        controls.widget(Ctl::Text8)->setFocus();
        const int before = value();
        bar->setValue(0);
        EXPECT_GT(scrolledByTurning(widget, -1), 0) << controls.text(choice.ctl);
        EXPECT_EQ(value(), before) << controls.text(choice.ctl);

        widget->setFocus();
        ASSERT_TRUE(widget->hasFocus());
        EXPECT_EQ(scrolledByTurning(widget, -1), 0) << controls.text(choice.ctl);
        EXPECT_NE(value(), before) << controls.text(choice.ctl);
    }
}

}  // namespace
}  // namespace zarnel
