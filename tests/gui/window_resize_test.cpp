// The window made smaller than its client area by the user: the client scrolls, and the
// control that had the focus keeps it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QtTest/QTest>

#include "app/form1.h"
#include "platform/fake/fake_platform.h"
#include "ui/qt/events.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_controls.h"

namespace zarnel {
namespace {

TEST(WindowResize, AShrunkWindowScrollsAndKeepsTheFocus) {
    FakePlatform platform;
    qt::MainWindow window;
    qt::QtControls controls(window);
    Form1 form(controls, platform);
    qt::startForm(controls, platform, form);
    controls.timer().stop();
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

}  // namespace
}  // namespace zarnel
