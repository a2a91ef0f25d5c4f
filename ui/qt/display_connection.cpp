#include "ui/qt/display_connection.h"

#include <QApplication>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "ui/qt/command_line.h"

namespace zarnel::qt {
namespace {

// Qt's switch for sending pixels to an X server over the connection instead of through shared
// memory; read only as Qt connects.
constexpr const char* kNoSharedMemory = "QT_XCB_NO_MITSHM";

constexpr const char* kNoDisplay =
    "zarnel: no display; run it in a desktop session or under xvfb-run\n";

// Qt's messages while it looks for a display: held back, and shown only if it finds one, so
// that a failure reads as one line rather than a page of plugin advice.
std::vector<std::pair<QtMsgType, QString>> heldMessages;

// X says it could not connect to the display, Wayland that it could not create one.
bool refusal(const QString& message) {
    return message.contains(u"connect to display") || message.contains(u"wl_display");
}

// Qt's own first lines on why no window could open, from what it said while looking (each
// plugin of a list in turn): a display plugin not installed or not loadable (a library it needs
// missing), a display that would not connect. A plugin that loaded and then found no display
// says so right after the display's refusal, which it adds nothing to.
QString displayFailure() {
    QStringList reasons;
    bool refused = false;  // since the last plugin's word
    for (const auto& [type, message] : heldMessages) {
        if (refusal(message)) {
            refused = true;
        } else if (!message.contains(u"Qt platform plugin")) {
            continue;
        } else if (std::exchange(refused, false) && message.contains(u"even though it was found")) {
            continue;
        }
        reasons << message.section(u'\n', 0, 0).trimmed();
    }
    return reasons.join(u"; ");
}

bool displayNamed() {
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
           qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
}

void holdMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) {
        // Told to find a display, Qt's reason is the useful one (a Wayland desktop without Qt's
        // Wayland plugin); the advice to find a display is for when none was named.
        const QString why = displayFailure();
        if (displayNamed() && !why.isEmpty()) {
            std::fprintf(stderr, "zarnel: cannot open the window: %s\n", qPrintable(why));
        } else {
            std::fputs(kNoDisplay, stderr);
        }
        std::_Exit(kExitNoDisplay);
    }
    heldMessages.emplace_back(type, message);
}

std::unique_ptr<QApplication> makeApplication(int& argc, char** argv) {
    const PixelsOverConnection overConnection;
    return std::make_unique<QApplication>(argc, argv);
}

}  // namespace

PixelsOverConnection::PixelsOverConnection() : set_(!qEnvironmentVariableIsSet(kNoSharedMemory)) {
    if (set_) qputenv(kNoSharedMemory, "1");
}

PixelsOverConnection::~PixelsOverConnection() {
    if (set_) qunsetenv(kNoSharedMemory);
}

std::unique_ptr<QApplication> connectToDisplay(int& argc, char** argv) {
    const QtMessageHandler previous = qInstallMessageHandler(holdMessage);
    auto app = makeApplication(argc, argv);
    qInstallMessageHandler(previous);
    const QMessageLogContext context;
    for (const auto& [type, message] : std::exchange(heldMessages, {})) {
        if (previous) {
            previous(type, context, message);
        } else {
            std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
        }
    }
    return app;
}

}  // namespace zarnel::qt
