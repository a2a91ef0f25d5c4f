// The special-folder lookup: the folder table through the fake, start-up's first pick.
#include "probes/special_folders.h"

#include <gtest/gtest.h>

#include "app/form1.h"
#include "app/late_answers.h"
#include "disk/disk_probes.h"
#include "platform/fake/fake_platform.h"
#include "tests/support/recording_controls.h"

namespace zarnel {
namespace {

using testing::RecordingControls;

struct FolderRow {
    std::string_view entry;
    int csidl;
};

constexpr FolderRow kRows[] = {
    {"デスクトップ", 0},
    {"プログラムメニュー", 2},
    {"マイドキュメント", 5},
    {"お気に入り", 6},
    {"スタートアップ", 7},
    {"スタートメニュー", 11},
    {"フォント", 20},
    {"テンプレート", 21},
    {"スタートメニュー(共通)", 22},
    {"プログラムメニュー(共通)", 23},
    {"スタートアップ(共通)", 24},
    {"デスクトップ(共通)", 25},
    {"お気に入り(共通)", 31},
    {"ウィンドウズフォルダ", 36},
    {"システムフォルダ", 37},
    {"Program Files", 38},
};

class FolderTable : public ::testing::TestWithParam<std::size_t> {};

// Every entry of the list, picked as the user picks it, asks for its own number with the
// create flag and shows that folder's path.
TEST_P(FolderTable, EntryShowsItsFoldersPath) {
    const std::size_t index = GetParam();
    const FolderRow& row = kRows[index];
    FakePlatform platform;
    const std::string path = "/folders/" + std::to_string(row.csidl);
    platform.records.folders = {{row.csidl, path}};
    RecordingControls controls;
    ASSERT_EQ(controls.items(Ctl::Combo1).at(index), row.entry);  // the list as laid out
    controls.setListIndex(Ctl::Combo1, static_cast<int>(index));
    Combo1_Click(controls, platform);
    EXPECT_EQ(platform.calls,
              std::vector<std::string>{"SHGetFolderPathA(4660," +
                                       std::to_string(row.csidl | 0x8000) + ",260)"});
    EXPECT_EQ(controls.text(Ctl::Text8), path);
}

INSTANTIATE_TEST_SUITE_P(AllSixteen, FolderTable, ::testing::Range<std::size_t>(0, 16));

TEST(SpecialFolders, TextOutsideTheTableMeansTheDesktop) {
    EXPECT_EQ(folderNumber("デスクトップ "), 0);
    EXPECT_EQ(folderNumber("program files"), 0);  // compared with case
    EXPECT_EQ(folderNumber("Program Files"), 38);
}

TEST(SpecialFolders, FailedLookupEmptiesTheField) {
    FakePlatform platform;
    platform.records.folders = {{0, "/home/user/Desktop"}};
    RecordingControls controls;
    controls.setListIndex(Ctl::Combo1, 0);
    Combo1_Click(controls, platform);
    ASSERT_EQ(controls.text(Ctl::Text8), "/home/user/Desktop");
    controls.setListIndex(Ctl::Combo1, 3);  // favourites: none on this machine
    Combo1_Click(controls, platform);
    EXPECT_EQ(controls.text(Ctl::Text8), "");
}

TEST(SpecialFolders, DoubleBytePathIsShownWhole) {
    FakePlatform platform("CP932");
    // 254 bytes in the code page, so it fits the 260-byte buffer, though its UTF-8 form
    // (378 bytes) would not.
    std::string path = "/home/";
    for (int i = 0; i < 31; ++i) path += "フォルダ";
    platform.records.folders = {{5, path}};
    RecordingControls controls;
    controls.setListIndex(Ctl::Combo1, 2);
    Combo1_Click(controls, platform);
    EXPECT_EQ(controls.text(Ctl::Text8), path);
}

TEST(SpecialFolders, StartUpSelectsTheFirstEntryAndShowsTheDesktop) {
    FakePlatform platform;
    platform.records.folders = {{0, "/home/hanako/デスクトップ"}};
    RecordingControls controls;
    Form1 form(controls, platform);
    fillDrive1(controls, platform);
    form.Form_Load();
    EXPECT_EQ(controls.listIndex(Ctl::Combo1), 0);
    EXPECT_EQ(controls.text(Ctl::Combo1), "デスクトップ");
    EXPECT_EQ(controls.text(Ctl::Text8), "/home/hanako/デスクトップ");
}

// A late answer shows the chosen drive and folder again; a start-up that stopped before it chose
// a folder leaves none to show, and the field as it was laid out.
TEST(SpecialFolders, ALateAnswerShowsTheChosenFolderOnlyOnceOneIsChosen) {
    FakePlatform platform;
    platform.records.folders = {{0, "/home/hanako/デスクトップ"}};
    RecordingControls controls;
    fillDrive1(controls, platform);
    platform.calls.clear();
    const std::string laidOut = controls.text(Ctl::Text8);
    showChosenAgain(controls, platform);
    EXPECT_EQ(controls.text(Ctl::Text8), laidOut);
    EXPECT_EQ(platform.calls.front(), R"(GetDiskFreeSpaceExA(c:\))") << "the drive is shown again";

    controls.setListIndex(Ctl::Combo1, 0);
    showChosenAgain(controls, platform);
    EXPECT_EQ(controls.text(Ctl::Text8), "/home/hanako/デスクトップ");
}

}  // namespace
}  // namespace zarnel
