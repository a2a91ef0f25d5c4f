// form-dump.exe: builds the native window, runs its load handler and prints it as JSON in the
// schema of the Qt window's form-dump (see ../main.cpp), fonts named as Windows resolves them.
//
//   form-dump.exe [--scenario FILE] [--tab N] [--png DIR] [--drive N] [--folder N]
//
// --scenario answers from a fake machine described by a "key = value" file, else the machine
// itself answers. --tab selects a tab before dumping, --drive and --folder pick entry N of Drive1
// and Combo1 as a user would after start-up, --png saves tab0.png..tab3.png, one per tab,
// selecting each in turn. Message boxes are closed as they open and listed under "messages".
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

#include "app/form1.h"
#include "platform/fake/fake_platform.h"
#include "platform/win32/win32_platform.h"
#include "tools/form-dump/entry_number.h"
#include "tools/form-dump/win32/capture.h"
#include "tools/form-dump/win32/dump.h"
#include "tools/form-dump/win32/focus_chain.h"
#include "tools/form-dump/win32/message_closer.h"
#include "ui/win32/events.h"
#include "ui/win32/win32_controls.h"

namespace {

using zarnel::Ctl;
using zarnel::tools::Json;
using zarnel::win32::Win32Controls;

constexpr const char* kFlags[] = {"--scenario", "--tab", "--png", "--drive", "--folder"};

std::map<std::string, std::string> parseArguments(int argc, char** argv) {
    std::map<std::string, std::string> values;
    for (int i = 1; i < argc; ++i) {
        const std::string flag = argv[i];
        const bool known = std::any_of(std::begin(kFlags), std::end(kFlags),
                                       [&flag](const char* f) { return flag == f; });
        if (!known || i + 1 == argc) throw std::invalid_argument("bad argument: " + flag);
        values[flag] = argv[++i];
    }
    return values;
}

int entries(const Win32Controls& controls, Ctl list) {
    return static_cast<int>(controls.items(list).size());
}

std::unique_ptr<zarnel::Platform> makePlatform(const std::map<std::string, std::string>& args) {
    const auto scenario = args.find("--scenario");
    if (scenario == args.end()) return std::make_unique<zarnel::Win32Platform>();
    auto fake = std::make_unique<zarnel::FakePlatform>();
    zarnel::loadScenario(*fake, scenario->second);
    return fake;
}

void pumpMessages() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Picks entry `index` of a drop-down and tells the form as the drop-down does for a user.
void pick(const Win32Controls& controls, Ctl ctl, int index) {
    HWND list = controls.handle(ctl);
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(controls.window(), WM_COMMAND, MAKEWPARAM(controls.controlId(ctl), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

void savePictures(Win32Controls& controls, const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    const int selected = controls.selectedTab();
    for (int tab = 0; tab < zarnel::layout::kTabCount; ++tab) {
        controls.selectTab(tab);
        pumpMessages();
        zarnel::tools::writePng(zarnel::tools::captureClient(controls.window()),
                                folder / ("tab" + std::to_string(tab) + ".png"));
    }
    controls.selectTab(selected);
}

int run(const std::map<std::string, std::string>& args) {
    const auto platform = makePlatform(args);
    zarnel::tools::MessageCloser closer;
    Win32Controls controls;
    zarnel::Form1 form(controls, *platform);
    zarnel::win32::Form1Events events(controls, *platform, form);
    zarnel::win32::startForm(controls, *platform, form, events);

    ShowWindow(controls.window(), SW_SHOW);
    pumpMessages();
    if (args.contains("--drive")) {
        pick(controls, Ctl::Drive1,
             zarnel::tools::entryNumber("--drive", args.at("--drive"),
                                        entries(controls, Ctl::Drive1)));
    }
    if (args.contains("--folder")) {
        pick(controls, Ctl::Combo1,
             zarnel::tools::entryNumber("--folder", args.at("--folder"),
                                        entries(controls, Ctl::Combo1)));
    }
    if (args.contains("--tab")) {
        controls.selectTab(
            zarnel::tools::entryNumber("--tab", args.at("--tab"), zarnel::layout::kTabCount));
    }
    pumpMessages();

    Json::Object dump = zarnel::tools::dumpControls(controls);
    Json::Array chain;
    for (const std::string& name : zarnel::tools::focusChain(controls)) chain.emplace_back(name);
    dump["focusChain"] = chain;
    Json::Array messages;
    for (const auto& seen : closer.seen())
        messages.emplace_back(
            Json::Object{{"title", seen.title}, {"text", seen.text}, {"icon", seen.icon}});
    dump["messages"] = messages;
    if (args.contains("--png")) savePictures(controls, args.at("--png"));

    const std::string json = Json(dump).print();
    // A dump that could not be written (a full disk) is no success.
    if (std::fwrite(json.data(), 1, json.size(), stdout) != json.size() ||
        std::fflush(stdout) != 0) {
        throw std::runtime_error("cannot write the dump");
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // Bare newlines: the JSON must read the same as the Qt tool's.
    _setmode(_fileno(stdout), _O_BINARY);
    try {
        return run(parseArguments(argc, argv));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "form-dump: %s\n", e.what());
        return 1;
    }
}
