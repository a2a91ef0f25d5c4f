// The hard-disk tab's six probes, read through the fake provider.
#include "disk/disk_probes.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>

#include "app/form1.h"
#include "disk/root_path.h"
#include "platform/errors.h"
#include "platform/fake/fake_platform.h"
#include "tests/support/recording_controls.h"

namespace zarnel {
namespace {

using testing::RecordingControls;

constexpr std::uint64_t kGiB = 1024ull * 1024 * 1024;
constexpr std::uint64_t kTiB = 1024 * kGiB;
constexpr std::uint64_t kPB = 1000ull * 1000 * 1000 * 1000 * 1000;

FakeVolume volume(std::uint32_t type, std::uint32_t flags) {
    return {.driveType = type,
            .volumeName = "DATA",
            .serialNumber = 0x1234ABCD,
            .maximumComponentLength = 255,
            .fileSystemFlags = flags,
            .fileSystemName = "ext4",
            .freeBytesAvailable = 10,
            .totalBytes = 20,
            .totalFreeBytes = 10,
            .error = 0};
}

// A machine with one drive "c: [/]" whose volume is `c`.
struct OneDrive {
    explicit OneDrive(FakeVolume c) {
        platform.records.volumes = {{'c', c}};
        fillDrive1(controls, platform);
        platform.calls.clear();
    }
    FakePlatform platform;
    RecordingControls controls;
};

struct SpaceRow {
    std::string_view name;
    std::uint64_t available;
    std::uint64_t total;
    std::string_view availableText;  // Text15
    std::string_view totalText;      // Text16
    std::string_view usedText;       // Text17
};

class SpaceFigures : public ::testing::TestWithParam<SpaceRow> {};

TEST_P(SpaceFigures, AreExactAndGrouped) {
    const SpaceRow& row = GetParam();
    FakeVolume c = volume(drive_type::kFixed, 0x3);
    c.freeBytesAvailable = row.available;
    c.totalBytes = row.total;
    OneDrive machine(c);
    disksarh(machine.controls, machine.platform);
    EXPECT_EQ(machine.controls.text(Ctl::Text15), row.availableText);
    EXPECT_EQ(machine.controls.text(Ctl::Text16), row.totalText);
    EXPECT_EQ(machine.controls.text(Ctl::Text17), row.usedText);
}

INSTANTIATE_TEST_SUITE_P(
    Volumes, SpaceFigures,
    ::testing::Values(
        SpaceRow{.name = "OneTebibyteWithHundredGibibytesFree",
                 .available = 100 * kGiB,
                 .total = kTiB,
                 .availableText = "107,374,182,400",
                 .totalText = "1,099,511,627,776",
                 .usedText = "992,137,445,376"},
        SpaceRow{.name = "ThreeDigitsHaveNoSeparator",
                 .available = 999,
                 .total = 1000,
                 .availableText = "999",
                 .totalText = "1,000",
                 .usedText = "1"},
        SpaceRow{.name = "Empty",
                 .available = 0,
                 .total = 0,
                 .availableText = "0",
                 .totalText = "0",
                 .usedText = "0"},
        // Beyond 922,337,203,685,477 bytes, where a fixed-point figure would overflow.
        SpaceRow{.name = "TwoPetabytes",
                 .available = 922'337'203'685'478,
                 .total = 2 * kPB,
                 .availableText = "922,337,203,685,478",
                 .totalText = "2,000,000,000,000,000",
                 .usedText = "1,077,662,796,314,522"},
        SpaceRow{.name = "LargestCount",
                 .available = 0,
                 .total = UINT64_MAX,
                 .availableText = "0",
                 .totalText = "18,446,744,073,709,551,615",
                 .usedText = "18,446,744,073,709,551,615"},
        // A server that reports more available than total: used is 0, never a wrapped count.
        SpaceRow{.name = "AvailableAboveTotal",
                 .available = 5000,
                 .total = 4000,
                 .availableText = "5,000",
                 .totalText = "4,000",
                 .usedText = "0"}),
    [](const auto& row) { return std::string(row.param.name); });

// Grouped by the user's own separator: a German system's point, a French one's narrow space (in
// the code page of the system), the comma where the system tells none or one longer than the
// three characters a system gives (each up to four bytes).
TEST(DiskProbes, SpaceFiguresAreGroupedByTheUsersSeparator) {
    const struct {
        std::string separator;
        std::string codePage;
        std::uint32_t failure;
        std::string_view totalText;
    } cases[] = {
        {".", "UTF-8", 0, "1.099.511.627.776"},
        {"\u202f", "UTF-8", 0, "1\u202f099\u202f511\u202f627\u202f776"},
        {"，", "CP932", 0, "1，099，511，627，776"},
        {".", "UTF-8", win32_error::kInvalidParameter, "1,099,511,627,776"},
        {"\u202f\u202f\u202f", "UTF-8", 0,
         "1\u202f\u202f\u202f099\u202f\u202f\u202f511\u202f\u202f\u202f627\u202f\u202f\u202f776"},
        {"\u202f\u202f\u202f\u202f\u202f\u202f", "UTF-8", 0, "1,099,511,627,776"},
    };
    for (const auto& c : cases) {
        FakeVolume drive = volume(drive_type::kFixed, 0x3);
        drive.totalBytes = kTiB;
        OneDrive machine(drive);
        machine.platform.setCodePage(c.codePage);
        machine.platform.records.thousandsSeparator = c.separator;
        if (c.failure != 0) machine.platform.failures["GetLocaleInfoA"] = c.failure;
        disksarh(machine.controls, machine.platform);
        EXPECT_EQ(machine.controls.text(Ctl::Text16), c.totalText) << c.separator;
    }
}

TEST(DiskProbes, EmptyRemovableDriveShowsItsTypeAndFailureForms) {
    FakeVolume c = volume(drive_type::kRemovable, 0x3);
    c.error = win32_error::kNotReady;
    OneDrive machine(c);
    machine.controls.setText(Ctl::Text19, "old");
    Drive1_Change(machine.controls, machine.platform);
    const RecordingControls& shown = machine.controls;
    EXPECT_EQ(shown.text(Ctl::Text15), "0");
    EXPECT_EQ(shown.text(Ctl::Text16), "0");
    EXPECT_EQ(shown.text(Ctl::Text17), "0");
    EXPECT_EQ(shown.text(Ctl::Text18), "フロッピーディスク");
    EXPECT_EQ(shown.text(Ctl::Text19), "");
    EXPECT_EQ(shown.text(Ctl::Text20), "");
    EXPECT_EQ(shown.text(Ctl::Text21), "");
    EXPECT_EQ(shown.text(Ctl::Text22), "");
    EXPECT_EQ(shown.items(Ctl::List4), std::vector<std::string>{"(21)属性は取得できません。"});
}

TEST(DiskProbes, SixCallsInTheirOrderOnTheSelectedDrivesRoot) {
    FakePlatform platform;
    platform.records.drives = {.entries = {"c: [/]", "d: [/data]"}, .selected = 1};
    platform.records.volumes['d'] = volume(drive_type::kFixed, 0x3);
    RecordingControls controls;
    fillDrive1(controls, platform);
    platform.calls.clear();
    Drive1_Change(controls, platform);
    // The figures are grouped by the user's thousands separator, asked as they are written.
    EXPECT_EQ(platform.calls, (std::vector<std::string>{
                                  "GetDiskFreeSpaceExA(d:\\)",
                                  "GetLocaleInfoA(STHOUSAND,16)",
                                  "GetDriveTypeA(d:\\)",
                                  "GetVolumeInformationA(d:\\,260,32)",
                                  "GetVolumeInformationA(d:\\,260,32)",
                                  "GetVolumeInformationA(d:\\,260,32)",
                                  "GetVolumeInformationA(d:\\,260,32)",
                              }));
    EXPECT_EQ(controls.text(Ctl::Text19), "DATA");
    EXPECT_EQ(controls.text(Ctl::Text21), "ext4");
    EXPECT_EQ(controls.text(Ctl::Text22), "255");
}

struct RootRow {
    std::string_view entry;
    std::string_view root;
};

class RootPath : public ::testing::TestWithParam<RootRow> {};

TEST_P(RootPath, IsTheFirstTwoCharactersAndABackslash) {
    EXPECT_EQ(rootPathOf(GetParam().entry), GetParam().root);
}

INSTANTIATE_TEST_SUITE_P(Entries, RootPath,
                         ::testing::Values(RootRow{"d: [/data]", "d:\\"}, RootRow{"c:", "c:\\"},
                                           RootRow{"ｅ：[/mnt]", "ｅ：\\"}, RootRow{"c", "c\\"},
                                           RootRow{"", "\\"}));

struct TypeRow {
    std::uint32_t code;
    std::string_view text;
};

class DriveTypeText : public ::testing::TestWithParam<TypeRow> {};

TEST_P(DriveTypeText, FollowsTheCode) {
    OneDrive machine(volume(GetParam().code, 0x3));
    machine.controls.setText(Ctl::Text18, "前の種類");
    Disksuru(machine.controls, machine.platform);
    EXPECT_EQ(machine.controls.text(Ctl::Text18), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Codes, DriveTypeText,
                         ::testing::Values(TypeRow{0, "判断不能"},
                                           TypeRow{1, "ルートディレクトリなし"},
                                           TypeRow{2, "フロッピーディスク"},
                                           TypeRow{3, "ハードディスク"}, TypeRow{4, "リモート"},
                                           TypeRow{5, "ＣＤ－ＲＯＭ"}, TypeRow{6, "ＲＡＭディスク"},
                                           // Outside the table the field keeps what it had.
                                           TypeRow{7, "前の種類"},
                                           TypeRow{UINT32_MAX, "前の種類"}));

TEST(DiskProbes, LetterWithoutVolumeHasNoRootDirectory) {
    FakePlatform platform;
    platform.records.drives = {.entries = {"q: [gone]"}, .selected = 0};
    RecordingControls controls;
    fillDrive1(controls, platform);
    Drive1_Change(controls, platform);
    EXPECT_EQ(controls.text(Ctl::Text18), "ルートディレクトリなし");
    EXPECT_EQ(controls.items(Ctl::List4), std::vector<std::string>{"(3)属性は取得できません。"});
}

struct SerialRow {
    std::uint32_t serial;
    std::string_view text;
};

class SerialNumber : public ::testing::TestWithParam<SerialRow> {};

TEST_P(SerialNumber, IsUpperCaseHexWithoutLeadingZeros) {
    FakeVolume c = volume(drive_type::kFixed, 0x3);
    c.serialNumber = GetParam().serial;
    OneDrive machine(c);
    BrumSriaru(machine.controls, machine.platform);
    EXPECT_EQ(machine.controls.text(Ctl::Text20), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Serials, SerialNumber,
                         ::testing::Values(SerialRow{0x8000ABCD, "8000ABCD"},
                                           SerialRow{0xFFFFFFFF, "FFFFFFFF"},
                                           SerialRow{0x00001F2E, "1F2E"}, SerialRow{0x1, "1"},
                                           SerialRow{0, ""}));

struct FlagsRow {
    std::string_view name;
    std::uint32_t flags;
    std::vector<std::string> entries;
};

class FlagList : public ::testing::TestWithParam<FlagsRow> {};

TEST_P(FlagList, ListsKnownFlagsInTableOrder) {
    OneDrive machine(volume(drive_type::kFixed, GetParam().flags));
    DiskFile(machine.controls, machine.platform);
    EXPECT_EQ(machine.controls.items(Ctl::List4), GetParam().entries);

    // Shown again unchanged (a late answer), the list keeps the reader's place.
    if (GetParam().entries.empty()) return;
    machine.controls.setListIndex(Ctl::List4, 0);
    DiskFile(machine.controls, machine.platform);
    EXPECT_EQ(machine.controls.items(Ctl::List4), GetParam().entries);
    EXPECT_EQ(machine.controls.listIndex(Ctl::List4), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Flags, FlagList,
    ::testing::Values(
        FlagsRow{.name = "AllNine",
                 .flags = 0x2 | 0x1 | 0x4 | 0x8 | 0x10 | 0x8000 | 0x40000 | 0x20000 | 0x20,
                 .entries = {"ファイル名大文字小文字維持", "ファイル名大文字小文字区別",
                             "ＵＮＩＣＯＤＥ", "ＡＣＬ維持", "ファイル圧縮", "ボリューム圧縮",
                             "ストリーム", "暗号化", "クォータ"}},
        // Bits other than the nine are ignored, with no failure entry.
        FlagsRow{.name = "NoneOfTheNine", .flags = 0x80000 | 0x100, .entries = {}},
        FlagsRow{.name = "QuotasAfterStreams",
                 .flags = 0x20 | 0x40000 | 0x1,
                 .entries = {"ファイル名大文字小文字区別", "ストリーム", "クォータ"}},
        // A query that succeeds with no flags still shows the failure entry, with the
        // thread's error (0 after success).
        FlagsRow{.name = "Zero", .flags = 0, .entries = {"(0)属性は取得できません。"}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(DiskProbes, ChangingDrivesNeverKeepsOldFlagEntries) {
    FakePlatform platform;
    platform.records.drives = {.entries = {"c: [/]", "d: [/mnt/usb]", "e: [/dev/sr0]"},
                               .selected = 0};
    platform.records.volumes = {{'c', volume(drive_type::kFixed, 0x2 | 0x1 | 0x8 | 0x20)},
                                {'d', volume(drive_type::kRemovable, 0x2 | 0x4)},
                                {'e', volume(drive_type::kCdRom, 0)}};
    platform.records.volumes['e'].error = win32_error::kNotReady;
    RecordingControls controls;
    fillDrive1(controls, platform);
    Drive1_Change(controls, platform);
    controls.setListIndex(Ctl::Drive1, 1);
    Drive1_Change(controls, platform);
    EXPECT_EQ(controls.items(Ctl::List4),
              (std::vector<std::string>{"ファイル名大文字小文字維持", "ＵＮＩＣＯＤＥ"}));
    controls.setListIndex(Ctl::Drive1, 2);
    Drive1_Change(controls, platform);
    EXPECT_EQ(controls.items(Ctl::List4), std::vector<std::string>{"(21)属性は取得できません。"});
    EXPECT_EQ(controls.text(Ctl::Text18), "ＣＤ－ＲＯＭ");
}

// A list with no drive chosen asks the probes nothing at start-up: a root path without a drive
// would have them show the current folder's volume beside an empty list.
TEST(DiskProbes, NoDriveChosenAsksNothingAndShowsNoFigures) {
    FakePlatform platform;
    platform.records.drives = {.entries = {"c:", "d:"}, .selected = -1};
    RecordingControls controls;
    fillDrive1(controls, platform);
    platform.calls.clear();
    Drive1_Change(controls, platform);
    EXPECT_TRUE(platform.calls.empty()) << platform.calls.front();
    for (const Ctl field : {Ctl::Text15, Ctl::Text16, Ctl::Text17, Ctl::Text18})
        EXPECT_EQ(controls.text(field), ctlName(field)) << "never written";
    EXPECT_TRUE(controls.items(Ctl::List4).empty());
}

// A changed drive list asks the six probes again only when the selection lands on another
// drive; with no drive at all it asks nothing.
TEST(DiskProbes, RefreshedListProbesOnlyWhenTheSelectionMoves) {
    FakePlatform platform;
    platform.records.drives = {.entries = {"c: [/]", "d: [/mnt/usb]"}, .selected = 0};
    RecordingControls controls;
    DriveList shown = fillDrive1(controls, platform);
    controls.setListIndex(Ctl::Drive1, 1);
    platform.records.drives = {.entries = {"c: [/]", "d: [/mnt/usb]", "e: [/media/new]"},
                               .selected = 0};
    platform.calls.clear();
    shown = refreshDrive1(controls, platform, shown);
    EXPECT_EQ(controls.text(Ctl::Drive1), "d: [/mnt/usb]");
    EXPECT_EQ(platform.calls, std::vector<std::string>{"GetLogicalDriveStringsA()"});

    platform.records.drives = {.entries = {"c: [/]", "d: [/media/new]"}, .selected = 0};
    shown = refreshDrive1(controls, platform, shown);
    EXPECT_EQ(controls.text(Ctl::Drive1), "c: [/]");
    EXPECT_GT(platform.calls.size(), 2u);

    // Then no drive at all (a drive list the system would not give): nothing is asked, and the
    // figures of the drive that was chosen do not stay beside the empty choice.
    ASSERT_FALSE(controls.text(Ctl::Text16).empty());
    platform.records.drives = {.entries = {}, .selected = -1};
    platform.calls.clear();
    shown = refreshDrive1(controls, platform, shown);
    EXPECT_EQ(controls.listIndex(Ctl::Drive1), -1);
    EXPECT_EQ(platform.calls, std::vector<std::string>{"GetLogicalDriveStringsA()"});
    for (const Ctl field : {Ctl::Text15, Ctl::Text16, Ctl::Text17, Ctl::Text18, Ctl::Text19,
                            Ctl::Text20, Ctl::Text21, Ctl::Text22}) {
        EXPECT_EQ(controls.text(field), "") << ctlName(field);
    }
    EXPECT_TRUE(controls.items(Ctl::List4).empty());
}

// Two file systems of one stick share its identity, which tells neither apart: when an earlier
// drive goes and the letters move up, the chosen one is followed by its place.
TEST(DiskProbes, APartitionOfAStickIsFollowedByItsPlaceWhenItsLetterMoves) {
    FakePlatform platform;
    platform.records.drives = {
        .entries = {"c: [/]", "d: [/home]", "e: [/media/a]", "f: [/media/b]"},
        .selected = 0,
        .drives = {"/", "/home", "/dev/sdb", "/dev/sdb"}};
    RecordingControls controls;
    DriveList shown = fillDrive1(controls, platform);
    controls.setListIndex(Ctl::Drive1, 3);
    platform.records.drives = {.entries = {"c: [/]", "d: [/media/a]", "e: [/media/b]"},
                               .selected = 0,
                               .drives = {"/", "/dev/sdb", "/dev/sdb"}};
    shown = refreshDrive1(controls, platform, shown);
    EXPECT_EQ(controls.text(Ctl::Drive1), "e: [/media/b]");
}

// Windows names its drives by bare letters: a disc put into the chosen drive changes no entry,
// and the system's word that its medium changed is what has it read again. A change elsewhere,
// or a refresh that changes no drive, asks nothing and leaves the list as the user has it.
TEST(DiskProbes, ChosenDriveIsReadAgainWhenItsMediumChanges) {
    FakePlatform platform;
    platform.records.drives = {.entries = {"c:", "d:", "e:"}, .selected = 0};
    RecordingControls controls;
    DriveList shown = fillDrive1(controls, platform);
    controls.setListIndex(Ctl::Drive1, 2);
    const int filled = controls.drivesFilled;

    constexpr std::uint32_t kDriveD = 1U << ('d' - 'a');
    constexpr std::uint32_t kDriveE = 1U << ('e' - 'a');
    platform.calls.clear();
    shown = refreshDrive1(controls, platform, shown, kDriveD);
    EXPECT_EQ(platform.calls, std::vector<std::string>{"GetLogicalDriveStringsA()"});
    EXPECT_EQ(controls.drivesFilled, filled);
    EXPECT_EQ(controls.text(Ctl::Drive1), "e:");

    platform.calls.clear();
    shown = refreshDrive1(controls, platform, shown, kDriveD | kDriveE);
    EXPECT_EQ(std::ranges::count(platform.calls, "GetVolumeInformationA(e:\\,260,32)"), 4)
        << ::testing::PrintToString(platform.calls);
    EXPECT_EQ(controls.drivesFilled, filled);
}

TEST(DiskProbes, DoubleByteVolumeNameCrossesTheCodePage) {
    FakeVolume c = volume(drive_type::kFixed, 0x3);
    c.volumeName = "ボリューム１";
    OneDrive machine(c);
    machine.platform.setCodePage("CP932");
    BrumSriaru(machine.controls, machine.platform);
    EXPECT_EQ(machine.controls.text(Ctl::Text19), "ボリューム１");
}

TEST(DiskProbes, VolumeWithoutLabelOrLengthLeavesThoseFieldsEmpty) {
    FakeVolume c = volume(drive_type::kFixed, 0x3);
    c.volumeName = "";
    c.maximumComponentLength = 0;
    OneDrive machine(c);
    Drive1_Change(machine.controls, machine.platform);
    EXPECT_EQ(machine.controls.text(Ctl::Text19), "");
    EXPECT_EQ(machine.controls.text(Ctl::Text20), "1234ABCD");
    EXPECT_EQ(machine.controls.text(Ctl::Text21), "ext4");
    EXPECT_EQ(machine.controls.text(Ctl::Text22), "");
}

TEST(DiskProbes, DriveListTakesTheProvidersEntriesAndSelection) {
    FakePlatform platform;
    platform.records.drives = {.entries = {"c: [/]", "d: [/home]"}, .selected = 1};
    RecordingControls controls;
    fillDrive1(controls, platform);
    EXPECT_EQ(controls.listIndex(Ctl::Drive1), 1);
    EXPECT_EQ(controls.text(Ctl::Drive1), "d: [/home]");
}

TEST(DiskProbes, ScenarioFileDescribesDrivesVolumesAndFolders) {
    FakePlatform platform;
    loadScenario(platform, std::filesystem::path(ZARNEL_FIXTURES_DIR) /
                               "../gui/scenarios/two_petabytes.scenario");
    RecordingControls controls;
    Form1 form(controls, platform);
    fillDrive1(controls, platform);
    form.Form_Load();
    EXPECT_EQ(controls.text(Ctl::Drive1), "d: [/srv/archive]");
    EXPECT_EQ(controls.text(Ctl::Text15), "922,337,203,685,478");
    EXPECT_EQ(controls.text(Ctl::Text16), "2,000,000,000,000,000");
    EXPECT_EQ(controls.text(Ctl::Text17), "1,077,662,796,314,522");
    EXPECT_EQ(controls.text(Ctl::Text18), "リモート");
    EXPECT_EQ(controls.text(Ctl::Text19), "アーカイブ");
    EXPECT_EQ(controls.text(Ctl::Text20), "8000ABCD");
    EXPECT_EQ(controls.items(Ctl::List4).size(), 6u);
    EXPECT_EQ(controls.text(Ctl::Text8), "/home/hanako/デスクトップ");
    controls.setListIndex(Ctl::Drive1, 2);
    Drive1_Change(controls, platform);
    EXPECT_EQ(controls.text(Ctl::Text18), "ＣＤ－ＲＯＭ");
    EXPECT_EQ(controls.items(Ctl::List4), std::vector<std::string>{"(21)属性は取得できません。"});
}

// A code outside the table writes nothing, whichever way the probes run: at start-up the field
// keeps its own name, and after a change the type of the drive chosen before.
TEST(DiskProbes, ATypeCodeOutsideTheTableKeepsWhatTheFieldShowed) {
    constexpr std::uint32_t kCodeOutsideTheTable = 9;
    FakePlatform platform;
    platform.records.drives = {.entries = {"c: [/]", "d: [/odd]"}, .selected = 1};
    platform.records.volumes = {{'c', volume(drive_type::kFixed, 0x3)},
                                {'d', volume(kCodeOutsideTheTable, 0x3)}};
    RecordingControls controls;
    Form1 form(controls, platform);
    fillDrive1(controls, platform);
    form.Form_Load();
    EXPECT_EQ(controls.text(Ctl::Text18), "Text18");
    controls.setListIndex(Ctl::Drive1, 0);
    Drive1_Change(controls, platform);
    controls.setListIndex(Ctl::Drive1, 1);
    Drive1_Change(controls, platform);
    EXPECT_EQ(controls.text(Ctl::Text18), "ハードディスク");
}

TEST(DiskProbes, ScenarioRejectsBadVolumeKeys) {
    FakePlatform platform;
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("zarnel-bad-" + std::to_string(::getpid()));
    for (const char* line : {"volume.c.colour = red", "volume.c.serial = 0x100000000",
                             "volume.c.total = -1", "volume.cc = 1", "drives"}) {
        std::ofstream(file) << line << "\n";
        EXPECT_THROW(loadScenario(platform, file), std::runtime_error) << line;
    }
    std::filesystem::remove(file);
}

}  // namespace
}  // namespace zarnel
