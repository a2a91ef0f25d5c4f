// The command lines the program is started with: by its user, and by a desktop restoring the
// session the user left with the window open.
#include "ui/qt/command_line.h"

#include <gtest/gtest.h>

namespace zarnel::qt {
namespace {

using Action = CommandLine::Action;

Action actionOf(const QStringList& arguments) {
    return parseCommandLine(arguments).action;
}

TEST(CommandLine, ASavedSessionsRestartOpensTheWindow) {
    const QString id = QStringLiteral("266bfe0bd-8300-410f_1796827966_172386");
    EXPECT_EQ(actionOf({"zarnel", "-session", id}), Action::OpenWindow);
    EXPECT_EQ(actionOf({"zarnel", "-session", id, "-name", "zarnel"}), Action::OpenWindow);
    EXPECT_EQ(actionOf({"zarnel", "--session", id}), Action::OpenWindow);
    EXPECT_EQ(actionOf({"zarnel", "--name", "zarnel"}), Action::OpenWindow);
    // The value belongs to the option: it is not a stray argument, nor an option of its own.
    EXPECT_EQ(actionOf({"zarnel", "-name", "--version"}), Action::OpenWindow);
    // Without its value, or among other mistakes, the command line is still wrong.
    EXPECT_EQ(actionOf({"zarnel", "-session"}), Action::Error);
    EXPECT_EQ(actionOf({"zarnel", "-session", id, "--no-such-option"}), Action::Error);
    EXPECT_EQ(actionOf({"zarnel", "-session", id, "--version"}), Action::Version);
}

TEST(CommandLine, ASingleDashWordIsOneOption) {
    EXPECT_EQ(actionOf({"zarnel", "-help"}), Action::Help);
    EXPECT_EQ(actionOf({"zarnel", "-version"}), Action::Version);
    EXPECT_EQ(actionOf({"zarnel", "-h"}), Action::Help);
    const CommandLine mistaken = parseCommandLine({"zarnel", "-hlp"});
    EXPECT_EQ(mistaken.action, Action::Error);
    EXPECT_TRUE(mistaken.text.contains(QStringLiteral("'hlp'"))) << mistaken.text.toStdString();
}

}  // namespace
}  // namespace zarnel::qt
