// form-dump: builds the real window off screen, runs its load handler and prints it as JSON.
//
//   form-dump [--root DIR | --scenario FILE] [--tab N] [--resize WxH] [--png DIR]
//             [--drive N] [--folder N]
//
// --root reads the machine from DIR (default /); --scenario answers from a fake machine
// described by a "key = value" file. --tab selects a tab before dumping, --resize resizes the
// window (pixels), --drive and --folder pick entry N of Drive1 and Combo1 as a user would
// after start-up, --png saves tab0.png..tab3.png, one per tab, selecting each in turn.
//
// Output, keys sorted:
// {
//   "controls": [ one object per control and per control-array element, in layout order:
//     { "name": "Text1", "index": 0, "kind": "textBox", "container": "Frame1" | null,
//       "tabPage": 1 (page of SSTab1 for the frames on it, else -1),
//       "tabOrder": 74 (-1 for none), "visible": own visibility flag,
//       "text": text or caption (combo: selected entry),
//       "twips": {left, top, width, height} in the container's client area,
//       "px": the same in pixels, "windowPx": pixels from the top-left of the client area,
//       "onScreen": shown, on the selected tab and not clipped away by any container,
//       "font": {family, pointSize},
//       "items": [entries], "listIndex": n    (list, combo and drive list only) } ],
//     menu items carry name, index, kind, container, tabPage, tabOrder, visible, text only;
//     the timer no text either.
//   "focusChain": [names visited by the Tab key from the tab strip, until it comes back],
//   "messages": [{title, text, icon}] modal boxes closed automatically during the run,
//   "selectedTab": n, "slider": value, "tabCaptions": [...],
//   "timer": {enabled, interval}, "title": window caption
// }
#include <QApplication>
#include <QComboBox>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <cstdio>
#include <exception>
#include <memory>
#include <stdexcept>

#include "app/form1.h"
#include "platform/fake/fake_platform.h"
#include "platform/linux/linux_platform.h"
#include "platform/linux/standard_streams.h"
#include "tools/form-dump/dump.h"
#include "tools/form-dump/entry_number.h"
#include "tools/form-dump/focus_chain.h"
#include "tools/form-dump/modal_closer.h"
#include "ui/qt/appearance.h"
#include "ui/qt/events.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_controls.h"
#include "ui/qt/tab_control.h"
#include "window/layout.h"

namespace {

using zarnel::qt::QtControls;

std::unique_ptr<zarnel::Platform> makePlatform(const QCommandLineParser& args) {
    // A machine named twice, or a tree named without --root, would dump another machine.
    if (!args.positionalArguments().isEmpty()) {
        throw std::invalid_argument("bad argument: " +
                                    args.positionalArguments().front().toStdString());
    }
    if (args.isSet("scenario") && args.isSet("root")) {
        throw std::invalid_argument("bad argument: --root with --scenario");
    }
    if (args.isSet("scenario")) {
        auto fake = std::make_unique<zarnel::FakePlatform>();
        zarnel::loadScenario(*fake, args.value("scenario").toStdString());
        return fake;
    }
    const QString root = args.value("root");
    // A mistyped tree would read as a machine where every fact fails.
    if (!QFileInfo(root).isDir())
        throw std::invalid_argument("no such directory: " + root.toStdString());
    return std::make_unique<zarnel::LinuxPlatform>(root.toStdString());
}

void savePictures(QtControls& controls, const QString& folder) {
    QDir().mkpath(folder);
    zarnel::qt::TabControl& tabs = controls.tabControl();
    const int selected = tabs.currentIndex();
    for (int tab = 0; tab < zarnel::layout::kTabCount; ++tab) {
        tabs.setCurrentIndex(tab);
        QApplication::processEvents();
        const QString file = QDir(folder).filePath(QStringLiteral("tab%1.png").arg(tab));
        if (!controls.window().grab().save(file))
            throw std::runtime_error("cannot write " + file.toStdString());
    }
    tabs.setCurrentIndex(selected);
}

QSize parseSize(const QString& text) {
    const QStringList parts = text.split('x');
    bool wide = false;
    bool high = false;
    const QSize size(parts.value(0).toInt(&wide), parts.value(1).toInt(&high));
    if (parts.size() != 2 || !wide || !high)
        throw std::invalid_argument("bad size: " + text.toStdString());
    return size;
}

// Option `name`'s entry number, one of `count`.
int entryNumber(const QCommandLineParser& args, const QString& name, int count) {
    return zarnel::tools::entryNumber("--" + name.toStdString(), args.value(name).toStdString(),
                                      count);
}

int run(const QCommandLineParser& args) {
    const auto platform = makePlatform(args);
    zarnel::tools::ModalCloser closer;
    zarnel::qt::MainWindow window;
    QtControls controls(window);
    zarnel::Form1 form(controls, *platform);
    zarnel::qt::startForm(controls, *platform, form);

    window.show();
    if (args.isSet("drive")) {
        QComboBox& drives = controls.comboBox(zarnel::Ctl::Drive1);
        drives.setCurrentIndex(entryNumber(args, "drive", drives.count()));
    }
    if (args.isSet("folder")) {
        QComboBox& folders = controls.comboBox(zarnel::Ctl::Combo1);
        folders.setCurrentIndex(entryNumber(args, "folder", folders.count()));
        emit folders.activated(folders.currentIndex());
    }
    if (args.isSet("tab")) {
        zarnel::qt::TabControl& tabs = controls.tabControl();
        tabs.setCurrentIndex(entryNumber(args, "tab", tabs.tabBar()->count()));
    }
    if (args.isSet("resize")) window.resize(parseSize(args.value("resize")));
    QApplication::processEvents();

    QJsonObject dump = zarnel::tools::dumpControls(controls);
    dump["focusChain"] = QJsonArray::fromStringList(zarnel::tools::focusChain(controls));
    QJsonArray messages;
    for (const auto& seen : closer.seen())
        messages.append(
            QJsonObject{{"title", seen.title}, {"text", seen.text}, {"icon", seen.icon}});
    dump["messages"] = messages;
    if (args.isSet("png")) savePictures(controls, args.value("png"));

    const QByteArray json = QJsonDocument(dump).toJson(QJsonDocument::Indented);
    const auto size = static_cast<std::size_t>(json.size());
    // A dump that could not be written (a full disk) is no success.
    if (std::fwrite(json.constData(), 1, size, stdout) != size || std::fflush(stdout) != 0) {
        throw std::runtime_error("cannot write the dump");
    }
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    // A dump into a closed stdout is lost: no success, whatever else goes right.
    if (zarnel::linux_fs::keepStandardStreamsOpen()[zarnel::linux_fs::kStandardOutput]) {
        std::fputs("form-dump: cannot write the dump\n", stderr);
        return 1;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    zarnel::qt::applyAppearance();

    QCommandLineParser args;
    args.setApplicationDescription("Prints the window as JSON.");
    args.addHelpOption();
    args.addOptions({
        {"root", "Read the machine from DIR.", "DIR", "/"},
        {"scenario", "Answer from the fake machine in FILE.", "FILE"},
        {"tab", "Select tab N before dumping.", "N"},
        {"resize", "Resize the window to WxH pixels.", "WxH"},
        {"png", "Save one picture per tab into DIR.", "DIR"},
        {"drive", "Pick entry N of the drive list after start-up.", "N"},
        {"folder", "Pick entry N of the folder list after start-up.", "N"},
    });
    args.process(app);
    try {
        return run(args);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "form-dump: %s\n", e.what());
        return 1;
    }
}
