// zarnel: the window over the machine it runs on.
#include <QApplication>

#include "app/form1.h"
#include "platform/linux/linux_platform.h"
#include "platform/linux/mount_watch.h"
#include "ui/qt/appearance.h"
#include "ui/qt/events.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_controls.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    zarnel::qt::applyAppearance();

    zarnel::LinuxPlatform platform("/");
    zarnel::qt::MainWindow window;
    zarnel::qt::QtControls controls(window);
    zarnel::Form1 form(controls, platform);
    zarnel::qt::startForm(controls, platform, form);
    if (controls.ended()) return 0;
    const zarnel::linux_fs::MountWatch mounts("/");
    zarnel::qt::watchDrives(controls, platform, mounts.descriptor());

    window.show();
    return QApplication::exec();
}
