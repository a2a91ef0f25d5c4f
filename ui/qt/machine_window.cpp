#include "ui/qt/machine_window.h"

#include "platform/linux/device_watch.h"
#include "platform/linux/linux_platform.h"
#include "platform/linux/mount_watch.h"
#include "ui/qt/run_window.h"

namespace zarnel::qt {

int runMachineWindow(const std::filesystem::path& root) {
    LinuxPlatform platform(root);
    const linux_fs::MountWatch mounts(root);
    const linux_fs::DeviceWatch devices(root);
    // An undrained device watch stays readable and would wake the window without end.
    return runWindow(platform, {.mountTable = mounts.descriptor(),
                                .devices = devices.descriptor(),
                                .devicesSeen = [&devices] { devices.drain(); },
                                .lateAnswers = platform.lateShareAnswers.descriptor(),
                                .showLateAnswers =
                                    [&platform](const std::function<void(const LateNews&)>& show) {
                                        platform.showLateAnswers(show);
                                    }});
}

}  // namespace zarnel::qt
