// Opening a web address: the desktop's xdg-open, started as a grandchild so that it is never
// left as a zombie of ours and we never wait for the browser.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/linux/linux_platform.h"

extern char** environ;

namespace zarnel {
namespace {

constexpr const char* kOpener = "xdg-open";

// Waits for the short-lived middle process, retrying when a signal interrupts the wait.
int waitForExit(pid_t child) {
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

std::intptr_t LinuxPlatform::shellOpen(Hwnd, std::string_view file) {
    // Everything the middle process needs is made before fork: after it, only the spawn and
    // _exit run there.
    std::string address(file);
    std::string opener(kOpener);
    char* argv[] = {opener.data(), address.data(), nullptr};

    const pid_t middle = fork();
    if (middle < 0) return kShellOutOfResources;
    if (middle == 0) {
        // A session of its own, which the opener and the browser it starts inherit: the Ctrl+C
        // or hang-up of the terminal the window was started from must not close the browser.
        // The middle process leads no group, so this cannot fail.
        setsid();
        pid_t grandchild = 0;
        // posix_spawnp takes the argument vector as is: no shell ever sees the address.
        _exit(posix_spawnp(&grandchild, kOpener, nullptr, nullptr, argv, environ));
    }
    // The middle process exits as soon as the opener has started; the opener itself is then
    // adopted and reaped by init.
    switch (waitForExit(middle)) {
        case 0:
            return kShellOpened;
        case ENOENT:
            return kShellFileNotFound;
        default:
            return kShellOutOfResources;
    }
}

}  // namespace zarnel
