// zarnel: the window over the machine it runs on.
#include <QApplication>
#include <cstdio>

#include "app/form1.h"
#include "platform/linux/linux_platform.h"
#include "ui/qt/appearance.h"
#include "ui/qt/command_line.h"
#include "ui/qt/display_connection.h"
#include "ui/qt/events.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_controls.h"

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
            std::fputs(qPrintable(command.text), stdout);
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
