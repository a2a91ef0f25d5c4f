#include "ui/qt/run_window.h"

#include <QApplication>
#include <utility>

#include "app/form1.h"
#include "ui/qt/appearance.h"
#include "ui/qt/events.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_controls.h"

namespace zarnel::qt {

int runWindow(Platform& platform, const DriveWatches& watches) {
    applyAppearance();
    MainWindow window;
    QtControls controls(window);
    Form1 form(controls, platform);
    DriveList drives = startForm(controls, platform, form);
    if (controls.ended()) return 0;
    watchDrives(controls, platform, watches, std::move(drives));

    window.show();
    return QApplication::exec();
}

}  // namespace zarnel::qt
