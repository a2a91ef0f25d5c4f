// The taskbar frame: each state bit to its own field.
#include "probes/taskbar.h"

#include <gtest/gtest.h>

#include "app/late_answers.h"
#include "platform/fake/fake_platform.h"
#include "tests/support/recording_controls.h"

namespace zarnel {
namespace {

using testing::RecordingControls;

struct TaskbarRow {
    std::uint32_t state;
    std::string_view autoHide;     // Text9
    std::string_view alwaysOnTop;  // Text10
};

class TaskbarTable : public ::testing::TestWithParam<TaskbarRow> {};

TEST_P(TaskbarTable, EachBitSetsItsField) {
    FakePlatform platform;
    platform.records.appBarState = GetParam().state;
    RecordingControls controls;
    TaskbarSettings(controls, platform);
    EXPECT_EQ(controls.text(Ctl::Text9), GetParam().autoHide);
    EXPECT_EQ(controls.text(Ctl::Text10), GetParam().alwaysOnTop);
    EXPECT_EQ(platform.calls, std::vector<std::string>{"SHAppBarMessage(4)"});
}

constexpr std::string_view kSet = "設定されています";
constexpr std::string_view kClear = "設定されていません";

INSTANTIATE_TEST_SUITE_P(States, TaskbarTable,
                         ::testing::Values(TaskbarRow{0, kClear, kClear},
                                           TaskbarRow{1, kSet, kClear}, TaskbarRow{2, kClear, kSet},
                                           TaskbarRow{3, kSet, kSet},
                                           // Bits the window does not show are ignored.
                                           TaskbarRow{0xFFFFFFFC, kClear, kClear}));

TEST(Taskbar, FailedQueryReadsAsBothOff) {
    FakePlatform platform;
    platform.records.appBarState = 3;
    platform.failures["SHAppBarMessage"] = 5;
    RecordingControls controls;
    TaskbarSettings(controls, platform);
    EXPECT_EQ(controls.text(Ctl::Text9), kClear);
    EXPECT_EQ(controls.text(Ctl::Text10), kClear);
}

// The panels' settings lie below the home folder: one learnt only with a late answer (a
// directory server slow as the window opened) has the taskbar read again, other late answers
// leave it as start-up read it.
TEST(TaskbarAgain, ReadAgainOnlyWhenTheHomeIsLearntLate) {
    FakePlatform platform;
    RecordingControls controls;
    TaskbarSettings(controls, platform);
    ASSERT_EQ(controls.text(Ctl::Text9), kClear);
    platform.records.appBarState = 1;
    showMissingFactsAgain(controls, platform);
    EXPECT_EQ(controls.text(Ctl::Text9), kClear);
    showMissingFactsAgain(controls, platform, {.homeLearnt = true});
    EXPECT_EQ(controls.text(Ctl::Text9), kSet);
}

}  // namespace
}  // namespace zarnel
