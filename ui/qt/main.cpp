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
    const zarnel::qt::CommandLine command = readCommandLine(argc, argv);
    switch (command.action) {
        case Action::Help:
        case Action::Version:
            // An answer that could not be written (a full disk) is no success.
            if (std::fputs(qPrintable(command.text), stdout) == EOF || std::fflush(stdout) != 0) {
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

    // Before the display's socket is opened; an answer above still fails on a closed stdout.
    zarnel::linux_fs::keepStandardStreamsOpen();
    const auto app = zarnel::qt::connectToDisplay(argc, argv);
    // Ties the window to its desktop entry (the Wayland app id, the dock's icon).
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.zarnel"));

    return zarnel::qt::runMachineWindow("/");
}
