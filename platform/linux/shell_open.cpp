// Opening a web address: the desktop's xdg-open, started by a process of its own so that it is
// never left as a zombie of ours, and neither the browser nor the search for the opener is
// waited for beyond a deadline.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <string>

#include "platform/bounded_questions.h"
#include "platform/linux/linux_platform.h"

extern char** environ;

namespace zarnel {
namespace {

constexpr const char* kOpener = "xdg-open";

// Waits for the short-lived middle process, retrying when a signal interrupts the wait.
void reap(pid_t child) {
    while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
}

// Ends a forked process once `error` is written to the report pipe; only _exit and write run.
[[noreturn]] void exitReporting(int report, int error) {
    _exit(write(report, &error, sizeof error) == sizeof error ? 0 : 1);
}

// Closes every descriptor of a forked process but the standard streams and `kept`. The
// window's display connection and buses are not the opener's, and a spawner still looking for
// it must not keep them open after the window has gone: the display would keep its windows.
void closeAllBut(int kept) {
    constexpr unsigned kFirstAfterStandardStreams = 3;
    constexpr unsigned kLastDescriptor = ~0U;
    const auto keptNumber = static_cast<unsigned>(kept);
    // Kernels before 5.9 lack the call: the descriptors opened close-on-exec still close.
    if (keptNumber > kFirstAfterStandardStreams) {
        close_range(kFirstAfterStandardStreams, keptNumber - 1, 0);
    }
    close_range(keptNumber + 1, kLastDescriptor, 0);
}

// What the spawner reported through `report`: the spawn's error number; nothing when no report
// came within the deadline (the opener is still being looked for).
std::optional<int> spawnReport(int report) {
    pollfd ready{.fd = report, .events = POLLIN, .revents = 0};
    int polled = 0;
    do {
        polled = poll(&ready, 1, static_cast<int>(kNetworkAnswerDeadline.count()));
    } while (polled < 0 && errno == EINTR);
    if (polled <= 0) return std::nullopt;
    int error = 0;
    // A spawner that died before it could say anything reports the spawn as failed.
    if (read(report, &error, sizeof error) != sizeof error) return EAGAIN;
    return error;
}

// Attributes that start the opener with no signal blocked and every signal at its default. A
// launcher may have blocked SIGTERM or ignored SIGCHLD for the window; passed on, the browser
// would outlive the user's logout, or never see its own children end.
class CleanSignals {
  public:
    CleanSignals() {
        posix_spawnattr_init(&attributes_);
        sigset_t none;
        sigset_t all;
        sigemptyset(&none);
        sigfillset(&all);
        posix_spawnattr_setsigmask(&attributes_, &none);
        posix_spawnattr_setsigdefault(&attributes_, &all);
        posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    }
    ~CleanSignals() { posix_spawnattr_destroy(&attributes_); }
    CleanSignals(const CleanSignals&) = delete;
    CleanSignals& operator=(const CleanSignals&) = delete;
    const posix_spawnattr_t* get() const { return &attributes_; }

  private:
    posix_spawnattr_t attributes_{};
};

}  // namespace

std::intptr_t LinuxPlatform::shellOpen(Hwnd, std::string_view file) {
    // Everything the spawner needs is made before fork: after it, only the spawn, its report
    // and _exit run there.
    std::string address(file);
    std::string opener(kOpener);
    char* argv[] = {opener.data(), address.data(), nullptr};
    const CleanSignals signals;
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) return kShellOutOfResources;

    const pid_t middle = fork();
    if (middle < 0) {
        close(report[0]);
        close(report[1]);
        return kShellOutOfResources;
    }
    if (middle == 0) {
        // The middle process leaves at once, so that the spawner is init's to reap and the
        // window reaps only the middle: the search for the opener may hang on a folder of PATH
        // kept on a server that went away.
        const pid_t spawner = fork();
        if (spawner == 0) {
            // A session of its own, which the opener and the browser it starts inherit: the
            // Ctrl+C or hang-up of the terminal the window was started from must not close
            // the browser. The spawner leads no group, so this cannot fail.
            setsid();
            closeAllBut(report[1]);
            pid_t child = 0;
            // The argument vector is taken as is: no shell ever sees the address.
            const int error = spawn(&child, kOpener, nullptr, signals.get(), argv, environ);
            // A report after the deadline finds no reader and ends the spawner, its work done.
            exitReporting(report[1], error);
        }
        if (spawner < 0) exitReporting(report[1], errno);
        _exit(0);
    }
    close(report[1]);
    reap(middle);
    const std::optional<int> error = spawnReport(report[0]);
    close(report[0]);
    // Still searching: the opener may yet start, and the window does not look at the answer.
    if (!error || *error == 0) return kShellOpened;
    return *error == ENOENT ? kShellFileNotFound : kShellOutOfResources;
}

}  // namespace zarnel
