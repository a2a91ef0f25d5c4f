// The power step's message box in the real window: modal, its text and icon, closed from here.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QGuiApplication>
#include <QJsonArray>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include "app/form1.h"
#include "platform/fake/fake_platform.h"
#include "tests/gui/form_dump_runner.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_controls.h"

namespace zarnel {
namespace {

constexpr int kPollMs = 10;

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    bool modal = false;
    QRect frame;
};

// Waits for the next modal box, remembers it and presses its OK button.
void pressOkOnNextBox(SeenBox& seen) {
    QTimer::singleShot(kPollMs, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return pressOkOnNextBox(seen);
        seen = {box->windowTitle(),     box->text(),    box->icon(),
                box->standardButtons(), box->isModal(), box->frameGeometry()};
        box->button(QMessageBox::Ok)->click();
    });
}

TEST(PowerBox, FailedQueryShowsItsCodeAndEndsStartUpWhenClosed) {
    qt::MainWindow window;
    qt::QtControls controls(window);
    FakePlatform platform;
    platform.failures["GetSystemPowerStatus"] = 5;
    Form1 form(controls, platform);

    SeenBox seen;
    pressOkOnNextBox(seen);
    form.Form_Load();

    EXPECT_TRUE(seen.modal);
    EXPECT_EQ(seen.title, QStringLiteral("zarnel"));
    EXPECT_EQ(seen.text, QStringLiteral("(5)関数の呼び出しは失敗しました。"));
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    // The window is not shown yet: the box stands on its own in the middle of the screen, not
    // centred on the window's unplaced rectangle in the screen's corner.
    constexpr int kCentringSlack = 2;
    const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((seen.frame.center() - room.center()).manhattanLength(), kCentringSlack)
        << seen.frame.x() << "," << seen.frame.y();
    EXPECT_FALSE(controls.timerEnabled());
    EXPECT_EQ(controls.listIndex(Ctl::Combo1), -1);
    EXPECT_EQ(controls.text(Ctl::Text9), "Text9");
}

TEST(PowerBox, FormDumpRecordsTheInformationBox) {
    const QJsonObject dump = testing::runFormDump(
        {QStringLiteral("--scenario"), testing::scenarioFile("power_fails.scenario")});
    const QJsonArray messages = dump["messages"].toArray();
    ASSERT_EQ(messages.size(), 1);
    const QJsonObject box = messages[0].toObject();
    EXPECT_EQ(box["title"].toString(), QStringLiteral("zarnel"));
    EXPECT_EQ(box["text"].toString(), QStringLiteral("システムでサポートされません。"));
    EXPECT_EQ(box["icon"].toString(), QStringLiteral("information"));
}

}  // namespace
}  // namespace zarnel
