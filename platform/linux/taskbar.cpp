// The taskbar's state: what the desktop's own panel settings say, else what its windows show.
#include <cstdlib>

#include "platform/errors.h"
#include "platform/linux/desktop_session.h"
#include "platform/linux/linux_platform.h"
#include "platform/linux/taskbar_x11.h"

namespace zarnel {

std::uint32_t LinuxPlatform::appBarGetState() {
    lastError_ = win32_error::kSuccess;
    // GNOME and every Wayland session show no X11 dock, and a panel hidden for now is unmapped:
    // the settings know what the windows cannot tell.
    const linux_fs::Desktop desktop =
        linux_fs::desktopOf(environment.currentDesktop, environment.kdeSessionVersion);
    if (const auto state = linux_fs::panelTaskbarState(desktop, root_, environment.configHome(),
                                                       environment.dataHome(), *desktopSettings)) {
        return *state;
    }
    return linux_x11::dockTaskbarState(std::getenv("DISPLAY"));
}

}  // namespace zarnel
