// The hard-disk tab of the real window: the drive list filled before loading, and the drive
// and folder lists reaching their handlers when a user picks an entry.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QJsonArray>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>

#include "app/form1.h"
#include "disk/disk_probes.h"
#include "platform/errors.h"
#include "platform/fake/fake_platform.h"
#include "platform/linux/answer_signal.h"
#include "platform/linux/device_watch.h"
#include "probes/special_folders.h"
#include "probes/trapped.h"
#include "probes/wmi_probes.h"
#include "tests/gui/form_dump_runner.h"
#include "ui/qt/events.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_controls.h"

namespace zarnel {
namespace {

using testing::findControl;
using testing::runFormDump;
using testing::scenarioFile;

QString text(const QJsonObject& dump, const char* name) {
    return findControl(dump, name).value_or(QJsonObject{})["text"].toString();
}

QJsonArray items(const QJsonObject& dump, const char* name) {
    return findControl(dump, name).value_or(QJsonObject{})["items"].toArray();
}

const QString kScenario = QStringLiteral("two_petabytes.scenario");

TEST(DiskTab, StartUpShowsTheInitialDriveAndTheDesktop) {
    const QJsonObject dump = runFormDump({QStringLiteral("--scenario"), scenarioFile(kScenario)});
    EXPECT_EQ(items(dump, "Drive1").size(), 3);
    EXPECT_EQ(text(dump, "Drive1"), QStringLiteral("d: [/srv/archive]"));
    EXPECT_EQ(text(dump, "Text16"), QStringLiteral("2,000,000,000,000,000"));
    EXPECT_EQ(text(dump, "Text18"), QStringLiteral("リモート"));
    EXPECT_EQ(text(dump, "Text19"), QStringLiteral("アーカイブ"));
    EXPECT_EQ(text(dump, "Combo1"), QStringLiteral("デスクトップ"));
    EXPECT_EQ(text(dump, "Text8"), QStringLiteral("/home/hanako/デスクトップ"));
}

TEST(DiskTab, PickingADriveAndAFolderRunsTheirHandlers) {
    const QJsonObject dump = runFormDump({QStringLiteral("--scenario"), scenarioFile(kScenario),
                                          QStringLiteral("--drive"), QStringLiteral("2"),
                                          QStringLiteral("--folder"), QStringLiteral("3")});
    EXPECT_EQ(text(dump, "Drive1"), QStringLiteral("e: [/dev/sr0]"));
    EXPECT_EQ(text(dump, "Text15"), QStringLiteral("0"));
    EXPECT_EQ(text(dump, "Text18"), QStringLiteral("ＣＤ－ＲＯＭ"));
    EXPECT_EQ(text(dump, "Text19"), QString());
    EXPECT_EQ(items(dump, "List4"), QJsonArray{QStringLiteral("(21)属性は取得できません。")});
    // Favourites: a folder this machine lacks, so the path field is emptied.
    EXPECT_EQ(text(dump, "Combo1"), QStringLiteral("お気に入り"));
    EXPECT_EQ(text(dump, "Text8"), QString());
}

TEST(DiskTab, FixtureMachineShowsItsUsbStick) {
    const QJsonObject dump = runFormDump(
        {QStringLiteral("--root"), QStringLiteral(ZARNEL_FIXTURES_DIR "/workstation-mixed-mounts"),
         QStringLiteral("--drive"), QStringLiteral("6")});
    EXPECT_EQ(text(dump, "Drive1"), QStringLiteral("i: [/run/media/alice/USB STICK]"));
    EXPECT_EQ(text(dump, "Text18"), QStringLiteral("フロッピーディスク"));
    EXPECT_EQ(text(dump, "Text19"), QStringLiteral("USB STICK"));
    EXPECT_EQ(text(dump, "Text20"), QStringLiteral("F00DCAFE"));
    EXPECT_EQ(text(dump, "Text21"), QStringLiteral("vfat"));
}

// The window open on a machine of two drives, the second chosen, before any watch is set.
class OpenWindow : public ::testing::Test {
  protected:
    OpenWindow() {
        platform.records.drives = {.entries = {"c: [/]", "d: [/home]"}, .selected = 1};
        shown = qt::startForm(controls, platform, form);
    }

    FakePlatform platform;
    qt::MainWindow window;
    qt::QtControls controls{window};
    Form1 form{controls, platform};
    DriveList shown;
};

// The open window hears of a device node coming under dev/ (a stick nothing mounts) and fills
// its drive list again, keeping the chosen drive.
TEST_F(OpenWindow, DriveListFollowsADeviceThatCame) {
    QTemporaryDir machine;
    ASSERT_TRUE(QDir(machine.path()).mkdir(QStringLiteral("dev")));
    const linux_fs::DeviceWatch devices(machine.path().toStdString());
    int drained = 0;
    qt::DriveWatches watches;
    watches.devices = devices.descriptor();
    watches.devicesSeen = [&devices, &drained] {
        devices.drain();
        ++drained;
    };
    qt::watchDrives(controls, platform, watches, std::move(shown));

    platform.records.drives.entries.push_back("e: [/dev/sdb]");
    std::ofstream((machine.path() + QStringLiteral("/dev/sdb")).toStdString());
    QApplication::processEvents();
    EXPECT_EQ(controls.items(Ctl::Drive1),
              (std::vector<std::string>{"c: [/]", "d: [/home]", "e: [/dev/sdb]"}));
    EXPECT_EQ(controls.text(Ctl::Drive1), "d: [/home]");
    EXPECT_EQ(drained, 1);
    QApplication::processEvents();
    EXPECT_EQ(drained, 1);  // taken, so the watch is quiet again
}

// A drive that comes while the user has the list dropped down is listed once it closes: filled
// again while open, the list would be cleared under the user, and a screen reader's place in it
// lost.
TEST_F(OpenWindow, ADriveThatComesWhileTheListIsOpenIsListedWhenItCloses) {
    QTemporaryDir machine;
    ASSERT_TRUE(QDir(machine.path()).mkdir(QStringLiteral("dev")));
    const linux_fs::DeviceWatch devices(machine.path().toStdString());
    qt::DriveWatches watches;
    watches.devices = devices.descriptor();
    watches.devicesSeen = [&devices] { devices.drain(); };
    qt::watchDrives(controls, platform, watches, std::move(shown));
    window.show();
    QComboBox& list = controls.comboBox(Ctl::Drive1);
    list.showPopup();
    ASSERT_TRUE(list.view()->isVisible());

    platform.records.drives.entries.push_back("e: [/dev/sdb]");
    std::ofstream((machine.path() + QStringLiteral("/dev/sdb")).toStdString());
    QApplication::processEvents();
    EXPECT_EQ(controls.items(Ctl::Drive1), (std::vector<std::string>{"c: [/]", "d: [/home]"}));
    // The user picks c: in the open list: the pick stands, and the list then takes in e:.
    list.view()->setCurrentIndex(list.model()->index(0, 0));
    QTest::keyClick(list.view(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_FALSE(list.view()->isVisible());
    EXPECT_EQ(controls.items(Ctl::Drive1),
              (std::vector<std::string>{"c: [/]", "d: [/home]", "e: [/dev/sdb]"}));
    EXPECT_EQ(controls.text(Ctl::Drive1), "c: [/]");
}

// A loopback connection whose far end gets a priority event when urgent data is sent on the
// near end: what the mount table's descriptor gets when a mount comes or goes, here without
// the privileges a mount needs.
class UrgentLink {
  public:
    UrgentLink() {
        const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        auto* any = reinterpret_cast<sockaddr*>(&address);
        if (listener >= 0 && ::bind(listener, any, length) == 0 && ::listen(listener, 1) == 0 &&
            ::getsockname(listener, any, &length) == 0) {
            near_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
            if (near_ >= 0 && ::connect(near_, any, length) == 0)
                far_ = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
        }
        if (listener >= 0) ::close(listener);
    }
    UrgentLink(const UrgentLink&) = delete;
    UrgentLink& operator=(const UrgentLink&) = delete;
    ~UrgentLink() {
        if (near_ >= 0) ::close(near_);
        if (far_ >= 0) ::close(far_);
    }

    int watched() const { return far_; }
    // Sends the urgent byte and waits until the far end has it: loopback may hand it over
    // later than the send returns, on a busy machine after the event loop has looked.
    bool signal() const {
        if (::send(near_, "!", 1, MSG_OOB) != 1) return false;
        constexpr int kLongestHandOverMs = 10'000;
        pollfd urgent{.fd = far_, .events = POLLPRI, .revents = 0};
        return ::poll(&urgent, 1, kLongestHandOverMs) == 1;
    }

  private:
    int near_ = -1;
    int far_ = -1;
};

// The open window fills its drive list again when the mount table signals a change (a stick
// mounted by the desktop), and not before.
TEST_F(OpenWindow, DriveListFollowsTheMountTable) {
    const UrgentLink mountTable;
    ASSERT_GE(mountTable.watched(), 0);
    qt::DriveWatches watches;
    watches.mountTable = mountTable.watched();
    qt::watchDrives(controls, platform, watches, std::move(shown));

    platform.records.drives.entries.push_back("e: [/media/stick]");
    QApplication::processEvents();
    EXPECT_EQ(controls.items(Ctl::Drive1), (std::vector<std::string>{"c: [/]", "d: [/home]"}));
    ASSERT_TRUE(mountTable.signal());
    QApplication::processEvents();
    EXPECT_EQ(controls.items(Ctl::Drive1),
              (std::vector<std::string>{"c: [/]", "d: [/home]", "e: [/media/stick]"}));
    EXPECT_EQ(controls.text(Ctl::Drive1), "d: [/home]");
}

// A drive or folder shown without its answer (a share whose server answered after the wait) is
// shown again when the answer comes, once for each time it is told; so is the owner.
TEST_F(OpenWindow, TheChosenDriveAndFolderAreShownAgainWhenALateAnswerComes) {
    FakeVolume share;
    share.driveType = drive_type::kRemote;
    share.error = win32_error::kNotReady;
    platform.records.volumes['d'] = share;
    const linux_fs::AnswerSignal lateAnswers;
    ASSERT_GE(lateAnswers.descriptor(), 0);
    qt::DriveWatches watches;
    watches.lateAnswers = lateAnswers.descriptor();
    watches.showLateAnswers = [&lateAnswers](const std::function<void(const LateNews&)>& show) {
        lateAnswers.drain();
        show({});
    };
    Drive1_Change(controls, platform);
    platform.records.folders.clear();
    Combo1_Click(controls, platform);
    platform.records.wmiAvailable = false;
    TourokuKaisya(controls, platform);
    qt::watchDrives(controls, platform, watches, std::move(shown));
    EXPECT_EQ(controls.text(Ctl::Text16), "0");
    EXPECT_EQ(controls.text(Ctl::Text8), "");
    ASSERT_EQ(controls.text(Ctl::Text12), kTrapped);

    share.error = 0;
    share.volumeName = "share";
    share.fileSystemName = "nfs4";
    share.totalBytes = 4000;
    platform.records.volumes['d'] = share;
    platform.records.folders[0] = "/home/user/Desktop";
    platform.records.wmiAvailable = true;
    lateAnswers.teller()();
    QApplication::processEvents();
    EXPECT_EQ(controls.text(Ctl::Text16), "4,000");
    EXPECT_EQ(controls.text(Ctl::Text19), "share");
    EXPECT_EQ(controls.text(Ctl::Text8), "/home/user/Desktop");
    EXPECT_NE(controls.text(Ctl::Text12), kTrapped);

    platform.records.volumes['d'].totalBytes = 8000;
    QApplication::processEvents();
    EXPECT_EQ(controls.text(Ctl::Text16), "4,000") << "told once, shown once";
}

}  // namespace
}  // namespace zarnel
