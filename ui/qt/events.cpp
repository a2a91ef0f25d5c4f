#include "ui/qt/events.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QPushButton>
#include <QSlider>
#include <QSocketNotifier>
#include <QTimer>
#include <cstdint>
#include <memory>

#include "app/form1.h"
#include "app/late_answers.h"
#include "disk/disk_probes.h"
#include "probes/special_folders.h"
#include "ui/qt/list_closing.h"
#include "ui/qt/main_window.h"
#include "ui/qt/picture_box.h"
#include "ui/qt/qt_controls.h"
#include "ui/qt/tab_control.h"

namespace zarnel::qt {
namespace {

// Why the window closes, as the close handler is told: the user's close box or system menu,
// or the program itself.
constexpr std::int16_t kClosedByUser = 0;
constexpr std::int16_t kClosedByCode = 1;

}  // namespace

// The window offers: TabControl::tabSelected(previous), PictureBox::clicked,
// QAction::triggered (menu items), QComboBox::activated (Combo1, user picks only),
// QComboBox::currentIndexChanged (Drive1), QSlider::valueChanged, QTimer::timeout,
// QPushButton::clicked and MainWindow::closeRequested.
DriveList startForm(QtControls& controls, Platform& platform, Form1& form) {
    // The drive list is filled as the window is built, before loading.
    DriveList drives = fillDrive1(controls, platform);
    form.Form_Load();

    QObject::connect(&controls.comboBox(Ctl::Drive1), &QComboBox::currentIndexChanged,
                     [&controls, &platform] { Drive1_Change(controls, platform); });
    QObject::connect(&controls.comboBox(Ctl::Combo1), &QComboBox::activated,
                     [&controls, &platform] { Combo1_Click(controls, platform); });
    MemoryTab& memory = form.memory();
    QObject::connect(&controls.timer(), &QTimer::timeout, [&memory] { memory.Timer1_Timer(); });
    QObject::connect(&controls.slider(), &QSlider::valueChanged,
                     [&memory](int) { memory.Slider1_Change(); });
    QObject::connect(&controls.button(Ctl::Command2), &QPushButton::clicked,
                     [&memory] { memory.Command2_Click(); });
    QObject::connect(&controls.tabControl(), &TabControl::tabSelected, [&form](int previous) {
        form.SSTab1_Click(static_cast<std::int16_t>(previous));
    });
    QObject::connect(&controls.pictureBox(Ctl::Picture4), &PictureBox::clicked,
                     [&form] { form.Picture4_Click(); });
    QObject::connect(&controls.menuItem(Ctl::book), &QAction::triggered,
                     [&form] { form.book_Click(); });
    QObject::connect(&controls.menuItem(Ctl::game), &QAction::triggered,
                     [&form] { form.game_Click(); });
    QObject::connect(&controls.window(), &MainWindow::closeRequested, [&form](QCloseEvent* event) {
        std::int16_t cancel = 0;
        form.Form_QueryUnload(cancel, event->spontaneous() ? kClosedByUser : kClosedByCode);
        if (cancel != 0) event->ignore();
    });
    return drives;
}

void watchDrives(QtControls& controls, Platform& platform, const DriveWatches& watches,
                 DriveList shown) {
    // One list for both watches: each refresh compares with what the other last showed.
    auto list = std::make_shared<DriveList>(std::move(shown));
    const auto refresh = whenListClosed(
        controls.comboBox(Ctl::Drive1),
        [&controls, &platform, list] { *list = refreshDrive1(controls, platform, *list); });
    if (watches.mountTable >= 0) {
        auto* watch =
            new QSocketNotifier(watches.mountTable, QSocketNotifier::Exception, &controls.window());
        QObject::connect(watch, &QSocketNotifier::activated, refresh);
    }
    if (watches.devices >= 0) {
        auto* watch =
            new QSocketNotifier(watches.devices, QSocketNotifier::Read, &controls.window());
        QObject::connect(watch, &QSocketNotifier::activated, [refresh, seen = watches.devicesSeen] {
            if (seen) seen();
            refresh();
        });
    }
    // Only as the provider shows them: it also takes what woke the window.
    if (watches.lateAnswers >= 0 && watches.showLateAnswers) {
        auto* watch =
            new QSocketNotifier(watches.lateAnswers, QSocketNotifier::Read, &controls.window());
        QObject::connect(watch, &QSocketNotifier::activated,
                         [&controls, &platform, showLate = watches.showLateAnswers] {
                             showLate([&controls, &platform](const LateNews& news) {
                                 showChosenAgain(controls, platform);
                                 showMissingFactsAgain(controls, platform, news);
                             });
                         });
    }
}

}  // namespace zarnel::qt
