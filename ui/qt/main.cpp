// zarnel: the window over the machine it runs on.
#include <QApplication>

#include "platform/linux/linux_platform.h"
#include "ui/qt/run_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    zarnel::LinuxPlatform platform("/");
    return zarnel::qt::runWindow(platform);
}
