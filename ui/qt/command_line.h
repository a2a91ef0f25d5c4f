// The program's command line: --help and --version answer and end; anything unknown is an
// error, not a reason to open the window.
#pragma once

#include <QString>
#include <QStringList>

namespace zarnel::qt {

struct CommandLine {
    enum class Action { OpenWindow, Help, Version, Error };
    Action action = Action::OpenWindow;
    // What to print: help or version text on standard output, an error on standard error.
    QString text;
};

// Exit codes: 0 done, 1 could not run (no display) or not write its answer, 2 a wrong command
// line.
inline constexpr int kExitNoDisplay = 1;
inline constexpr int kExitCannotWrite = 1;
inline constexpr int kExitUsage = 2;

// `arguments` starts with the program's own name, as argv does. The options a desktop adds when
// it restores a saved session are Qt's, and open the window.
CommandLine parseCommandLine(const QStringList& arguments);

}  // namespace zarnel::qt
