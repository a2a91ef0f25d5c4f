#include "ui/qt/command_line.h"

#include <QCommandLineParser>

namespace zarnel::qt {
namespace {

// A desktop that restores a saved session starts the program again with the options Qt's
// window system layer registered for it: "-session ID", and "-name NAME" where the program's
// name differs from its file's. Qt reads them when it connects to the display; here they are
// no error.
bool isSessionOption(const QString& argument) {
    static const QStringList kSessionOptions = {QStringLiteral("-session"),
                                                QStringLiteral("--session"),
                                                QStringLiteral("-name"), QStringLiteral("--name")};
    return kSessionOptions.contains(argument);
}

QStringList withoutSessionOptions(const QStringList& arguments) {
    QStringList kept;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        // The program's own name is never an option; an option without its value is left in.
        if (i > 0 && i + 1 < arguments.size() && isSessionOption(arguments[i])) {
            ++i;
            continue;
        }
        kept.append(arguments[i]);
    }
    return kept;
}

}  // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    // "-help" and "-version" are the words users type; read letter by letter they would be
    // reported as a row of unknown one-letter options.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
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

    if (!parser.parse(withoutSessionOptions(arguments)))
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
