// zarnel: the window over the machine it runs on.
#include <QApplication>

#include "app/form1.h"
#include "platform/linux/linux_platform.h"
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

    window.show();
    return QApplication::exec();
}
