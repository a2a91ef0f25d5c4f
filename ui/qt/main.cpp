// zarnel: the window over the machine it runs on.
#include <QApplication>

#include "platform/linux/linux_platform.h"
#include "platform/linux/mount_watch.h"
#include "ui/qt/run_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    zarnel::LinuxPlatform platform("/");
    const zarnel::linux_fs::MountWatch mounts("/");
    return zarnel::qt::runWindow(platform, mounts.descriptor());
}
