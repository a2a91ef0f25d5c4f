#include "ui/qt/command_line.h"

#include <QCommandLineParser>

namespace zarnel::qt {

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Shows memory, the PC, the disks and the hardware of this machine in one window."));
    // Qt's own help option would list --help-all as showing Qt's options too; this program
    // takes none, so --help-all is taken as --help and not listed.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Displays help on commandline options."));
    QCommandLineOption helpAll(QStringLiteral("help-all"));
    helpAll.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(help);
    parser.addOption(helpAll);
    const QCommandLineOption version = parser.addVersionOption();
    const QString usageHint = QStringLiteral("\nTry 'zarnel --help' for more information.");

    if (!parser.parse(arguments))
        return {CommandLine::Action::Error,
                QStringLiteral("zarnel: ") + parser.errorText() + usageHint};
    if (!parser.positionalArguments().isEmpty())
        return {CommandLine::Action::Error, QStringLiteral("zarnel: unexpected argument '%1'")
                                                    .arg(parser.positionalArguments().first()) +
                                                usageHint};
    if (parser.isSet(help) || parser.isSet(helpAll))
        return {CommandLine::Action::Help, parser.helpText()};
    if (parser.isSet(version))
        return {CommandLine::Action::Version, QStringLiteral("zarnel %1\n").arg(ZARNEL_VERSION)};
    return {};
}

}  // namespace zarnel::qt
