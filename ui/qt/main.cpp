// zarnel: the window over the machine it runs on.
#include <QApplication>
#include <cstdio>

#include "platform/linux/standard_streams.h"
#include "ui/qt/command_line.h"
#include "ui/qt/display_connection.h"
#include "ui/qt/machine_window.h"

namespace {

// Reads the command line before any display is needed: --help works over ssh too.
zarnel::qt::CommandLine readCommandLine(int argc, char* argv[]) {
    const QCoreApplication reader(argc, argv);
    return zarnel::qt::parseCommandLine(QCoreApplication::arguments());
}

}  // namespace

int main(int argc, char* argv[]) {
    using Action = zarnel::qt::CommandLine::Action;
    using zarnel::linux_fs::kStandardOutput;
    // Before anything opens a descriptor: the command line's reader opens its event loop's, and
    // that would take a closed stream's number, for the programs the window starts to write to.
    const zarnel::linux_fs::ReopenedStreams reopened = zarnel::linux_fs::keepStandardStreamsOpen();
    const zarnel::qt::CommandLine command = readCommandLine(argc, argv);
    switch (command.action) {
        case Action::Help:
        case Action::Version:
            // An answer that could not be written (a full disk, a closed stdout) is no success.
            if (reopened[kStandardOutput] || std::fputs(qPrintable(command.text), stdout) == EOF ||
                std::fflush(stdout) != 0) {
                std::fputs("zarnel: cannot write the answer\n", stderr);
                return zarnel::qt::kExitCannotWrite;
            }
            return 0;
        case Action::Error:
            std::fprintf(stderr, "%s\n", qPrintable(command.text));
            return zarnel::qt::kExitUsage;
        case Action::OpenWindow:
            break;
    }

    const auto app = zarnel::qt::connectToDisplay(argc, argv);
    // Ties the window to its desktop entry (the Wayland app id, the dock's icon).
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.zarnel"));

    return zarnel::qt::runMachineWindow("/");
}
