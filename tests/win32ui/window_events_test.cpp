// The native window's events, raised by the messages a user's actions send, reach the form.
#include <gtest/gtest.h>
#include <windows.h>
// commctrl.h needs windows.h before it.
#include <commctrl.h>
#include <dbt.h>

#include <algorithm>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "probes/wmi_probes.h"
#include "tests/win32ui/test_window.h"
#include "ui/win32/form_window.h"
#include "ui/win32/message_loop.h"

namespace zarnel {
namespace {

using testing::TestWindow;

std::size_t callsWith(const FakePlatform& platform, const std::string& prefix) {
    return static_cast<std::size_t>(
        std::count_if(platform.calls.begin(), platform.calls.end(),
                      [&prefix](const std::string& call) { return call.starts_with(prefix); }));
}

bool calledWith(const FakePlatform& platform, const std::string& prefix) {
    return callsWith(platform, prefix) > 0;
}

void clickAt(HWND window, POINT point) {
    const LPARAM where = MAKELPARAM(point.x, point.y);
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
    SendMessageW(window, WM_LBUTTONUP, 0, where);
}

void pressKey(HWND window, WPARAM key) {
    SendMessageW(window, WM_KEYDOWN, key, 0);
    SendMessageW(window, WM_KEYUP, key, 0);
}

// What the system sends a window when a volume arrives at or leaves `letter`.
void announceVolume(HWND window, WPARAM event, char letter) {
    DEV_BROADCAST_VOLUME volume{};
    volume.dbcv_size = sizeof(volume);
    volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
    volume.dbcv_unitmask = 1U << (letter - 'a');
    SendMessageW(window, WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(&volume));
}

class WindowEvents : public ::testing::Test {
  protected:
    // Opens the drive list on d:, steps down to the disc drive e:, and a stick comes at b:.
    void browseToTheDiscAsAStickComes() {
        const HWND drives = controls.handle(Ctl::Drive1);
        SendMessageW(drives, CB_SHOWDROPDOWN, TRUE, 0);
        pressKey(drives, VK_DOWN);
        auto& entries = window.platform.records.drives.entries;
        entries.insert(entries.begin() + 1, "b: [/media/stick]");
        announceVolume(controls.window(), DBT_DEVICEARRIVAL, 'b');
        TestWindow::pump();
    }

    TestWindow window{"two_petabytes.scenario"};
    win32::Win32Controls& controls = window.controls;
};

TEST_F(WindowEvents, ClickingATabShowsItsControlsAndTellsTheForm) {
    HWND tabs = controls.handle(Ctl::SSTab1);
    RECT item{};
    SendMessageW(tabs, TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
    controls.setTimerEnabled(false);  // a tick would redraw the pie and reset the flag
    window.form.memory().PieFreeMB = 0;
    clickAt(tabs, {(item.left + item.right) / 2, (item.top + item.bottom) / 2});
    TestWindow::pump();

    EXPECT_EQ(controls.selectedTab(), 2);
    EXPECT_EQ(window.form.memory().PieFreeMB, 1);  // SSTab1_Click ran
    EXPECT_TRUE(IsWindowVisible(controls.handle(Ctl::Frame8)));
    EXPECT_TRUE(IsWindowVisible(controls.handle(Ctl::Text15)));
    EXPECT_FALSE(IsWindowVisible(controls.handle(Ctl::Frame3)));
    EXPECT_FALSE(IsWindowVisible(controls.handle(Ctl::Text23)));
    // Own visibility is kept apart from the tab's.
    EXPECT_TRUE(controls.visible(Ctl::Frame3));
}

TEST_F(WindowEvents, AClickOnThePieCountsButNotOneOnALabelInsideIt) {
    controls.setTimerEnabled(false);  // a tick would redraw the pie and reset the flag
    window.form.memory().PieFreeMB = 0;
    clickAt(controls.handle(Ctl::Label31), {2, 2});
    TestWindow::pump();
    EXPECT_EQ(window.form.memory().PieFreeMB, 0);

    clickAt(controls.handle(Ctl::Picture4), {10, 10});
    TestWindow::pump();
    EXPECT_EQ(window.form.memory().PieFreeMB, 1);
}

TEST_F(WindowEvents, ChoosingAnotherDriveRunsTheDiskProbesOnIt) {
    ASSERT_EQ(controls.listIndex(Ctl::Drive1), 1);
    controls.selectTab(2);
    ASSERT_GT(controls.items(Ctl::List4).size(), 1U) << "the share's features";
    window.platform.calls.clear();
    pressKey(controls.handle(Ctl::Drive1), VK_DOWN);
    TestWindow::pump();

    EXPECT_EQ(controls.text(Ctl::Drive1), "e: [/dev/sr0]");
    EXPECT_TRUE(calledWith(window.platform, "GetVolumeInformationA(e:\\"));
    EXPECT_FALSE(calledWith(window.platform, "GetVolumeInformationA(d:\\"));
    // The empty drive's own answers, with nothing of the share's left among them.
    EXPECT_EQ(controls.text(Ctl::Text18), "ＣＤ－ＲＯＭ");
    EXPECT_EQ(controls.items(Ctl::List4), std::vector<std::string>{"(21)属性は取得できません。"});
}

// A stick put in and taken out while the window is open: the system tells the window, and
// the list follows with the user's drive still chosen; a medium changed in the chosen drive
// has its facts read again.
TEST_F(WindowEvents, DriveListFollowsVolumesComingAndGoing) {
    const auto announce = [this](WPARAM event, char letter) {
        announceVolume(controls.window(), event, letter);
        TestWindow::pump();
    };
    ASSERT_EQ(controls.items(Ctl::Drive1).size(), 3U);
    window.platform.records.drives.entries.push_back("f: [/media/stick]");
    // Nothing about a volume: the list stays as it is.
    SendMessageW(controls.window(), WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0);
    EXPECT_EQ(controls.items(Ctl::Drive1).size(), 3U);

    window.platform.calls.clear();
    announce(DBT_DEVICEARRIVAL, 'f');
    EXPECT_EQ(controls.items(Ctl::Drive1).size(), 4U);
    EXPECT_EQ(controls.text(Ctl::Drive1), "d: [/srv/archive]");
    EXPECT_FALSE(calledWith(window.platform, "GetVolumeInformationA(d:\\"));

    window.platform.records.drives.entries.pop_back();
    announce(DBT_DEVICEREMOVECOMPLETE, 'f');
    EXPECT_EQ(controls.items(Ctl::Drive1).size(), 3U);
    EXPECT_EQ(controls.text(Ctl::Drive1), "d: [/srv/archive]");

    announce(DBT_DEVICEARRIVAL, 'd');
    EXPECT_TRUE(calledWith(window.platform, "GetVolumeInformationA(d:\\"));
}

// A fake machine whose volumes change once while the window loads, told to `window`.
struct ChangingAtStartUp : FakePlatform {
    HWND window = nullptr;
    bool changed = false;

    void announce(WPARAM event, char letter) const { announceVolume(window, event, letter); }
};

// The window started on `platform`, the system's messages going to it from the start.
struct StartedOn {
    explicit StartedOn(ChangingAtStartUp& platform)
        : form(controls, platform), events(controls, platform, form) {
        loadScenario(platform, testing::scenarioPath("two_petabytes.scenario"));
        platform.window = controls.window();
        win32::startForm(controls, platform, form, events);
    }

    tools::MessageCloser closer;
    win32::Win32Controls controls;
    Form1 form;
    win32::Form1Events events;
};

// The fake machine, whose first WMI question is answered while a stick arrives as f: and the
// disc leaves e:. The form's loading asks WMI, whose calls wait in a loop that delivers the
// window's sent messages, before the window has events to tell.
struct VolumesChangingAtStartUp : ChangingAtStartUp {
    std::vector<WmiInstance> wmiInstances(std::string_view className) override {
        if (!changed && window) {
            changed = true;
            records.drives.entries = {"c: [/]", "d: [/srv/archive]", "f: [/media/stick]"};
            announce(DBT_DEVICEARRIVAL, 'f');
            announce(DBT_DEVICEREMOVECOMPLETE, 'e');
        }
        return FakePlatform::wmiInstances(className);
    }
};

TEST(WindowStartUp, VolumesThatCameOrWentWhileItLoadedAreListed) {
    VolumesChangingAtStartUp platform;
    const StartedOn window(platform);
    ASSERT_TRUE(platform.changed);
    EXPECT_EQ(window.controls.items(Ctl::Drive1), platform.records.drives.entries);
    EXPECT_EQ(window.controls.text(Ctl::Drive1), "d: [/srv/archive]");
}

// The fake machine, whose chosen drive d: takes another medium while the form asks the computer's
// name, after its disk figures were read, and whose disc leaves e: just after.
struct MediumChangingAtStartUp : ChangingAtStartUp {
    int getComputerName(std::span<char> buffer, std::uint32_t& len) override {
        if (!changed && window) {
            changed = true;
            records.volumes['d'].volumeName = "新しいディスク";
            records.drives.entries = {"c: [/]", "d: [/srv/archive]"};
            announce(DBT_DEVICEARRIVAL, 'd');
            announce(DBT_DEVICEREMOVECOMPLETE, 'e');
        }
        return FakePlatform::getComputerName(buffer, len);
    }
};

// Every change held while the form loads counts, not only the last: the chosen drive's new
// medium is read, though another drive went after it.
TEST(WindowStartUp, AMediumChangedWhileItLoadedIsRead) {
    MediumChangingAtStartUp platform;
    const StartedOn window(platform);
    ASSERT_TRUE(platform.changed);
    EXPECT_EQ(window.controls.items(Ctl::Drive1), platform.records.drives.entries);
    EXPECT_EQ(window.controls.text(Ctl::Drive1), "d: [/srv/archive]");
    EXPECT_EQ(window.controls.text(Ctl::Text19), "新しいディスク");
}

// A drive or folder shown without its answer (on a share that answered after the wait) is
// shown again when the provider tells the window of the late answer.
TEST_F(WindowEvents, TheChosenDriveAndFolderAreShownAgainWhenOneAnswersLate) {
    ASSERT_EQ(controls.text(Ctl::Drive1), "d: [/srv/archive]");
    ASSERT_EQ(controls.listIndex(Ctl::Combo1), 0);
    window.platform.records.volumes['d'].volumeName = "遅れた答え";
    window.platform.records.folders[0] = R"(\\nas\home\Desktop)";
    PostMessageW(controls.window(), win32::kLateAnswer, 0, 0);
    TestWindow::pump();
    EXPECT_EQ(controls.text(Ctl::Text19), "遅れた答え");
    EXPECT_EQ(controls.text(Ctl::Text8), R"(\\nas\home\Desktop)");
}

// An open list's selection is the entry the user is browsing past: a late answer told then
// waits until the list closes, and shows what was chosen, not what was passed.
TEST_F(WindowEvents, ALateAnswerWaitsForAnOpenListToClose) {
    // Opens `list`, steps `away` in it as a late answer comes, then steps back and closes it:
    // how many calls begin with `asked` while the list was open, and how many after.
    const auto browseAsAnAnswerComes = [&](Ctl list, WPARAM away, WPARAM back,
                                           const std::string& asked) {
        const HWND handle = controls.handle(list);
        SendMessageW(handle, CB_SHOWDROPDOWN, TRUE, 0);
        pressKey(handle, away);
        window.platform.calls.clear();
        PostMessageW(controls.window(), win32::kLateAnswer, 0, 0);
        TestWindow::pump();
        const std::size_t whileOpen = callsWith(window.platform, asked);
        pressKey(handle, back);
        SendMessageW(handle, CB_SHOWDROPDOWN, FALSE, 0);
        TestWindow::pump();
        return std::pair{whileOpen, callsWith(window.platform, asked) - whileOpen};
    };
    ASSERT_EQ(controls.text(Ctl::Drive1), "d: [/srv/archive]");
    window.platform.records.volumes['d'].volumeName = "遅れた答え";
    const auto drives =
        browseAsAnAnswerComes(Ctl::Drive1, VK_UP, VK_DOWN, "GetVolumeInformationA(");
    EXPECT_EQ(drives.first, 0U);
    EXPECT_EQ(controls.text(Ctl::Drive1), "d: [/srv/archive]");
    EXPECT_EQ(controls.text(Ctl::Text19), "遅れた答え");

    // Browsing the folders, the one passed is not made; the one chosen is shown once closed.
    ASSERT_EQ(controls.listIndex(Ctl::Combo1), 0);
    const auto folders = browseAsAnAnswerComes(Ctl::Combo1, VK_DOWN, VK_UP, "SHGetFolderPathA(");
    EXPECT_EQ(folders.first, 0U);
    EXPECT_EQ(folders.second, 1U);
}

// Hardware facts the management service could not give (still starting) are shown again when
// the provider tells the window of its late answer.
TEST_F(WindowEvents, TheHardwareIsShownAgainWhenTheServiceAnswersLate) {
    window.platform.records.wmiAvailable = false;
    controls.clear(Ctl::List2);
    Pruseltusa(controls, window.platform);
    ASSERT_EQ(controls.items(Ctl::List2), std::vector<std::string>{"取得不能"});
    window.platform.records.wmiAvailable = true;
    PostMessageW(controls.window(), win32::kLateAnswer, 0, 0);
    TestWindow::pump();
    ASSERT_FALSE(controls.items(Ctl::List2).empty());
    EXPECT_TRUE(controls.items(Ctl::List2).front().starts_with("製造\t"));
}

// The fake machine, whose chosen drive d: answers late while the form asks the computer's name,
// after its disk figures were read.
struct LateAnswerAtStartUp : ChangingAtStartUp {
    int getComputerName(std::span<char> buffer, std::uint32_t& len) override {
        if (!changed && window) {
            changed = true;
            records.volumes['d'].volumeName = "遅れた答え";
            SendMessageW(window, win32::kLateAnswer, 0, 0);
        }
        return FakePlatform::getComputerName(buffer, len);
    }
};

TEST(WindowStartUp, ADriveThatAnsweredLateWhileItLoadedIsShownAgain) {
    LateAnswerAtStartUp platform;
    const StartedOn window(platform);
    ASSERT_TRUE(platform.changed);
    EXPECT_EQ(window.controls.text(Ctl::Text19), "遅れた答え");
}

TEST_F(WindowEvents, ChoosingAFolderLooksItUp) {
    ASSERT_EQ(controls.listIndex(Ctl::Combo1), 0);
    window.platform.records.folders[2] = "C:\\menu";
    window.platform.calls.clear();
    pressKey(controls.handle(Ctl::Combo1), VK_DOWN);
    TestWindow::pump();

    EXPECT_EQ(controls.listIndex(Ctl::Combo1), 1);
    EXPECT_TRUE(calledWith(window.platform, "SHGetFolderPathA("));
    EXPECT_EQ(controls.text(Ctl::Text8), "C:\\menu");
}

// Windows tells each step of the arrow keys through an open list as a change: only the entry
// the list closes on is picked, so browsing past folders makes none of them, and past drives
// waits on none of them.
TEST_F(WindowEvents, BrowsingAnOpenListPicksOnlyTheEntryItClosesOn) {
    const HWND combo = controls.handle(Ctl::Combo1);
    ASSERT_EQ(controls.listIndex(Ctl::Combo1), 0);
    window.platform.records.folders[csidl::kFavorites] = "C:\\favourites";
    SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    window.platform.calls.clear();
    for (int step = 0; step < 3; ++step) pressKey(combo, VK_DOWN);
    TestWindow::pump();
    EXPECT_EQ(callsWith(window.platform, "SHGetFolderPathA("), 0U);
    pressKey(combo, VK_RETURN);
    TestWindow::pump();
    EXPECT_EQ(controls.listIndex(Ctl::Combo1), 3);
    EXPECT_EQ(callsWith(window.platform, "SHGetFolderPathA("), 1U);
    EXPECT_EQ(controls.text(Ctl::Text8), "C:\\favourites");

    const HWND drives = controls.handle(Ctl::Drive1);
    SendMessageW(drives, CB_SHOWDROPDOWN, TRUE, 0);
    window.platform.calls.clear();
    pressKey(drives, VK_DOWN);
    TestWindow::pump();
    EXPECT_EQ(callsWith(window.platform, "GetVolumeInformationA("), 0U);
    pressKey(drives, VK_RETURN);
    TestWindow::pump();
    EXPECT_TRUE(calledWith(window.platform, "GetVolumeInformationA(e:\\"));
    EXPECT_EQ(controls.text(Ctl::Drive1), "e: [/dev/sr0]");
}

// The list is not refilled under the user's eyes: a volume that comes while it is open is
// listed once it closes, around the entry the user closed it on.
TEST_F(WindowEvents, AVolumeThatComesWhileTheListIsOpenIsListedWhenItCloses) {
    const HWND drives = controls.handle(Ctl::Drive1);
    ASSERT_EQ(controls.text(Ctl::Drive1), "d: [/srv/archive]");
    ASSERT_EQ(controls.listIndex(Ctl::Drive1), 1);
    SendMessageW(drives, CB_SHOWDROPDOWN, TRUE, 0);
    auto& entries = window.platform.records.drives.entries;
    entries.insert(entries.begin() + 1, "b: [/media/stick]");
    announceVolume(controls.window(), DBT_DEVICEARRIVAL, 'b');
    TestWindow::pump();
    EXPECT_EQ(SendMessageW(drives, CB_GETCOUNT, 0, 0), 3);
    window.platform.calls.clear();
    pressKey(drives, VK_UP);
    pressKey(drives, VK_RETURN);
    TestWindow::pump();
    EXPECT_EQ(SendMessageW(drives, CB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(controls.text(Ctl::Drive1), "c: [/]");
    EXPECT_TRUE(calledWith(window.platform, "GetVolumeInformationA(c:\\"));
}

// Browsed to another drive as a volume comes: closing there is a pick still, and the list is
// refilled around it. Windows may tell a click's change after its list closed: the refill has
// moved the picked entry by then, and its late change is no second pick.
TEST_F(WindowEvents, AnEntryBrowsedToAsAVolumeComesIsPickedOnceWhereTheListCloses) {
    const HWND drives = controls.handle(Ctl::Drive1);
    ASSERT_EQ(controls.text(Ctl::Drive1), "d: [/srv/archive]");
    browseToTheDiscAsAStickComes();
    window.platform.calls.clear();
    pressKey(drives, VK_RETURN);
    ASSERT_EQ(controls.text(Ctl::Drive1), "e: [/dev/sr0]");
    const std::size_t picked = callsWith(window.platform, "GetVolumeInformationA(e:\\");
    ASSERT_GT(picked, 0U);
    SendMessageW(GetParent(drives), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(drives), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(drives));
    TestWindow::pump();
    EXPECT_EQ(controls.text(Ctl::Drive1), "e: [/dev/sr0]");
    EXPECT_EQ(callsWith(window.platform, "GetVolumeInformationA(e:\\"), picked);
}

// A medium put in the drive the user only browses past waits too: told while the list is
// open, the browsed drive's figures would stay under the chosen drive's name.
TEST_F(WindowEvents, AMediumChangeWaitsForAnOpenListToClose) {
    const HWND drives = controls.handle(Ctl::Drive1);
    ASSERT_EQ(controls.text(Ctl::Drive1), "d: [/srv/archive]");
    const std::string type = controls.text(Ctl::Text18);
    const std::string label = controls.text(Ctl::Text19);
    SendMessageW(drives, CB_SHOWDROPDOWN, TRUE, 0);
    pressKey(drives, VK_DOWN);  // past e:
    window.platform.records.volumes['e'].volumeName = "新しいディスク";
    announceVolume(controls.window(), DBT_DEVICEARRIVAL, 'e');
    TestWindow::pump();
    pressKey(drives, VK_UP);  // back to d:
    SendMessageW(drives, CB_SHOWDROPDOWN, FALSE, 0);
    TestWindow::pump();
    EXPECT_EQ(controls.text(Ctl::Drive1), "d: [/srv/archive]");
    EXPECT_EQ(controls.text(Ctl::Text18), type);
    EXPECT_EQ(controls.text(Ctl::Text19), label);
}

TEST_F(WindowEvents, MovingTheSliderSetsTheTimersInterval) {
    ASSERT_EQ(controls.sliderValue(), 300);
    HWND slider = controls.handle(Ctl::Slider1);
    const auto tick = [&] { SendMessageW(controls.window(), WM_TIMER, win32::kTimerId, 0); };
    // A held key steps many times between ticks; each new interval would restart the timer's
    // count, so the timer takes the last step at its next tick.
    // Unpumped: a pump would hand out the real timer's tick when it falls due.
    for (int press = 0; press < 3; ++press) pressKey(slider, VK_RIGHT);
    EXPECT_EQ(controls.sliderValue(), 303);
    EXPECT_EQ(controls.timerInterval(), 300);
    tick();
    EXPECT_EQ(controls.timerInterval(), 303);

    // A drag tells its value when let go, as the trackbar reports the thumb's last position.
    const auto drag = [&](WORD code, int position) {
        SendMessageW(slider, TBM_SETPOS, TRUE, position);
        SendMessageW(controls.window(), WM_HSCROLL, MAKEWPARAM(code, position),
                     reinterpret_cast<LPARAM>(slider));
    };
    for (int position = 304; position <= 320; ++position) drag(TB_THUMBTRACK, position);
    tick();
    EXPECT_EQ(controls.timerInterval(), 303);
    drag(TB_THUMBPOSITION, 320);
    tick();
    EXPECT_EQ(controls.timerInterval(), 320);

    // The slider's ends are the slowest and the fastest tick.
    pressKey(slider, VK_END);
    TestWindow::pump();
    tick();
    EXPECT_EQ(controls.timerInterval(), 1000);
    pressKey(slider, VK_HOME);
    TestWindow::pump();
    tick();
    EXPECT_EQ(controls.timerInterval(), 5);
    EXPECT_TRUE(controls.timerEnabled());
}

TEST_F(WindowEvents, MenuItemsOpenTheirAddresses) {
    HMENU bar = GetMenu(controls.window());
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    wchar_t caption[16] = {};
    GetMenuStringW(bar, 1, caption, 16, MF_BYPOSITION);
    EXPECT_STREQ(caption, L"Game");

    window.platform.calls.clear();
    SendMessageW(controls.window(), WM_COMMAND, MAKEWPARAM(GetMenuItemID(bar, 0), 0), 0);
    SendMessageW(controls.window(), WM_COMMAND, MAKEWPARAM(GetMenuItemID(bar, 1), 0), 0);
    ASSERT_EQ(window.platform.calls.size(), 2U);
    EXPECT_NE(window.platform.calls[0].find("https://bookshop.org/"), std::string::npos);
    EXPECT_NE(window.platform.calls[1].find("https://lichess.org/"), std::string::npos);
}

TEST_F(WindowEvents, TheTimerTicksTheGraph) {
    EXPECT_TRUE(controls.timerEnabled());
    const float before = window.form.memory().GraphTime;
    SendMessageW(controls.window(), WM_TIMER, win32::kTimerId, 0);
    EXPECT_GT(window.form.memory().GraphTime, before);
}

TEST_F(WindowEvents, ClosingTheWindowEndsTheProgram) {
    SendMessageW(controls.window(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(controls.window()));
    EXPECT_TRUE(TestWindow::quitPosted());
    EXPECT_FALSE(controls.ended());  // closed by the user, not ended by code
}

TEST_F(WindowEvents, Command2EndsTheProgramAtOnce) {
    controls.selectTab(2);
    SendMessageW(controls.handle(Ctl::Command2), BM_CLICK, 0, 0);
    EXPECT_TRUE(controls.ended());
    EXPECT_FALSE(controls.timerEnabled());
    EXPECT_FALSE(IsWindow(controls.window()));
    EXPECT_TRUE(TestWindow::quitPosted());
}

TEST_F(WindowEvents, TabReachesTheClippedButtonInTabOrder) {
    controls.selectTab(2);
    // Text8 (28) is followed by Command2 (30): Frame8 (29) is no stop of its own.
    HWND focus = win32::nextTabStop(controls, controls.handle(Ctl::Text8), false);
    EXPECT_EQ(focus, controls.handle(Ctl::Command2));
    EXPECT_EQ(win32::nextTabStop(controls, focus, false), controls.handle(Ctl::Text22));
    EXPECT_EQ(win32::nextTabStop(controls, focus, true), controls.handle(Ctl::Text8));
    // Clipped away by its frame, yet shown: the key reaches it.
    EXPECT_TRUE(IsWindowVisible(controls.handle(Ctl::Command2)));
}

TEST_F(WindowEvents, TabSkipsTheControlsOfOtherTabs) {
    // On the memory tab, the last stop (Slider1, 61) comes round to the tab strip (0).
    EXPECT_EQ(win32::nextTabStop(controls, controls.handle(Ctl::Slider1), false),
              controls.handle(Ctl::SSTab1));
    EXPECT_EQ(win32::nextTabStop(controls, controls.handle(Ctl::SSTab1), false),
              controls.handle(Ctl::Text28));
}

// Ctrl with Tab or PageDown turns to the next tab wherever the focus is, with Shift+Tab or
// PageUp to the one before, and the form hears of each turn; PageDown alone stays the
// focused control's.
TEST_F(WindowEvents, CtrlWithTabOrPageKeysTurnsTheTabs) {
    SendMessageW(controls.window(), WM_ACTIVATE, WA_ACTIVE, 0);
    SetFocus(controls.handle(Ctl::Slider1));
    controls.setTimerEnabled(false);  // a tick would redraw the pie and reset the flag
    const auto press = [this](std::initializer_list<int> held, WPARAM key) {
        BYTE state[256]{};
        for (const int k : held) state[k] = 0x80;
        SetKeyboardState(state);
        MSG message{};
        message.hwnd = GetFocus();
        message.message = WM_KEYDOWN;
        message.wParam = key;
        const bool taken = win32::handleTabKeys(controls, message);
        BYTE released[256]{};
        SetKeyboardState(released);
        return taken;
    };
    window.form.memory().PieFreeMB = 0;
    EXPECT_TRUE(press({VK_CONTROL}, VK_TAB));
    EXPECT_EQ(controls.selectedTab(), 1);
    EXPECT_EQ(window.form.memory().PieFreeMB, 1);  // SSTab1_Click ran
    // The slider went with its tab: the focus is on something the user can see.
    EXPECT_TRUE(IsWindowVisible(GetFocus()));
    EXPECT_TRUE(press({VK_CONTROL}, VK_NEXT));
    EXPECT_EQ(controls.selectedTab(), 2);
    EXPECT_TRUE(press({VK_CONTROL, VK_SHIFT}, VK_TAB));
    EXPECT_EQ(controls.selectedTab(), 1);
    EXPECT_TRUE(press({VK_CONTROL}, VK_PRIOR));
    EXPECT_TRUE(press({VK_CONTROL}, VK_PRIOR));
    EXPECT_EQ(controls.selectedTab(), 3);
    EXPECT_FALSE(press({}, VK_NEXT));
    EXPECT_EQ(controls.selectedTab(), 3);
}

// The form takes no keys itself: whenever the window is active a control has the focus, so
// that Tab has somewhere to go on from, and leaving the window and coming back keeps it.
TEST_F(WindowEvents, KeysReachAControlWheneverTheWindowIsActive) {
    HWND form = controls.window();
    SendMessageW(form, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(GetFocus(), win32::nextTabStop(controls, nullptr, false));

    SetFocus(form);  // as the system leaves it when activating the window on its own
    MSG tab{};
    tab.hwnd = form;
    tab.message = WM_KEYDOWN;
    tab.wParam = VK_TAB;
    EXPECT_TRUE(win32::handleTabKeys(controls, tab));
    EXPECT_TRUE(IsChild(form, GetFocus()));

    HWND slider = controls.handle(Ctl::Slider1);
    SetFocus(slider);
    SendMessageW(form, WM_ACTIVATE, WA_INACTIVE, 0);
    SetFocus(form);
    SendMessageW(form, WM_ACTIVATE, WA_CLICKACTIVE, 0);
    EXPECT_EQ(GetFocus(), slider);

    // A control left behind on another tab gives way to the first one shown.
    SendMessageW(form, WM_ACTIVATE, WA_INACTIVE, 0);
    controls.selectTab(2);
    SendMessageW(form, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_TRUE(IsWindowVisible(GetFocus()));
    EXPECT_NE(GetFocus(), slider);
}

TEST(WindowPower, AFailedPowerQueryShowsItsMessageAndStopsStartUp) {
    TestWindow window{"power_fails.scenario"};  // fails with 50, not supported
    ASSERT_EQ(window.closer.seen().size(), 1U);
    const tools::SeenMessage& seen = window.closer.seen().front();
    EXPECT_EQ(seen.title, "zarnel");
    EXPECT_EQ(seen.text, "システムでサポートされません。");
    EXPECT_EQ(seen.icon, "information");
    EXPECT_FALSE(seen.owned) << "the window is not shown yet: the box stands on its own";
    EXPECT_EQ(window.controls.text(Ctl::Text3), "Text3");
    EXPECT_FALSE(window.controls.timerEnabled());

    SendMessageW(window.controls.window(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window.controls.window()));
    EXPECT_TRUE(TestWindow::quitPosted());
}

TEST(WindowPower, AnyOtherFailureShowsItsCodeAsAnError) {
    FakePlatform platform;
    platform.failures["GetSystemPowerStatus"] = 21;
    tools::MessageCloser closer;
    win32::Win32Controls controls;
    Form1 form(controls, platform);
    win32::Form1Events events(controls, platform, form);
    win32::startForm(controls, platform, form, events);
    ASSERT_EQ(closer.seen().size(), 1U);
    EXPECT_EQ(closer.seen().front().text, "(21)関数の呼び出しは失敗しました。");
    EXPECT_EQ(closer.seen().front().icon, "critical");
}

// The four tabs stand whole in one row: no scroll arrows, the last tab inside the strip.
TEST_F(WindowEvents, EveryTabShowsWholeInTheStrip) {
    HWND tabs = controls.handle(Ctl::SSTab1);
    RECT client{};
    GetClientRect(tabs, &client);
    const auto count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
    ASSERT_EQ(count, 4);
    RECT last{};
    ASSERT_TRUE(SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(count - 1),
                             reinterpret_cast<LPARAM>(&last)));
    EXPECT_LE(last.right, client.right);
    EXPECT_EQ(SendMessageW(tabs, TCM_GETROWCOUNT, 0, 0), 1);
    HWND arrows = FindWindowExW(tabs, nullptr, UPDOWN_CLASSW, nullptr);
    EXPECT_TRUE(arrows == nullptr || !IsWindowVisible(arrows));
}

}  // namespace
}  // namespace zarnel
