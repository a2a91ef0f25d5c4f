// Every platform call the window makes at start-up, failed with an error code: the field it
// fills shows that call's failure text, and the fields of the other calls do not change.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "app/form1.h"
#include "disk/disk_probes.h"
#include "platform/errors.h"
#include "platform/fake/fake_platform.h"
#include "tests/support/recording_controls.h"

namespace zarnel {
namespace {

using testing::RecordingControls;

struct FailureRow {
    std::string_view function;
    std::uint32_t code;
    Ctl field;
    // The field's text, or for a list its items joined by "|".
    std::string_view failureText;
};

// A machine whose every answer fills its field with something other than a failure.
FakePlatform healthyMachine() {
    FakePlatform platform;
    platform.records.volumes['c'].volumeName = "SYSTEM";
    platform.records.volumes['c'].serialNumber = 0x1234ABCD;
    platform.records.thousandsSeparator = std::string(1, '.');  // a German system's
    return platform;
}

std::string shown(const RecordingControls& controls, Ctl field) {
    if (field != Ctl::List4 && field != Ctl::Drive1) return controls.text(field);
    std::string joined;
    for (const std::string& item : controls.items(field)) {
        joined += (joined.empty() ? "" : "|") + item;
    }
    return joined;
}

// The fields the window fills at start-up, as text.
std::map<Ctl, std::string> startUp(FakePlatform& platform) {
    RecordingControls controls;
    Form1 form(controls, platform);
    fillDrive1(controls, platform);
    form.Form_Load();
    std::map<Ctl, std::string> fields;
    for (Ctl field :
         {Ctl::Drive1, Ctl::Text1, Ctl::Text2, Ctl::Text8, Ctl::Text13, Ctl::Text14, Ctl::Text15,
          Ctl::Text16, Ctl::Text17, Ctl::Text18, Ctl::Text19, Ctl::Text20, Ctl::Text21, Ctl::Text22,
          Ctl::List4, Ctl::Text23, Ctl::Text24, Ctl::Text25, Ctl::Text26}) {
        fields[field] = shown(controls, field);
    }
    return fields;
}

// The fields one call fills: a failed call empties them all, and no others.
std::set<Ctl> fieldsFilledBy(std::string_view function) {
    if (function == "GetVolumeInformationA") {
        return {Ctl::Text19, Ctl::Text20, Ctl::Text21, Ctl::Text22, Ctl::List4};
    }
    if (function == "GetDiskFreeSpaceExA" || function == "GetLocaleInfoA") {
        return {Ctl::Text15, Ctl::Text16, Ctl::Text17};
    }
    if (function == "GlobalMemoryStatusEx") {
        return {Ctl::Text23, Ctl::Text24, Ctl::Text25, Ctl::Text26};
    }
    if (function == "GetComputerNameExA") return {Ctl::Text13, Ctl::Text14};
    if (function == "GetDriveTypeA") return {Ctl::Text18};
    if (function == "SHGetFolderPathA") return {Ctl::Text8};
    if (function == "GetComputerNameA") return {Ctl::Text1};
    if (function == "GetUserNameA") return {Ctl::Text2};
    return {};
}

class InjectedFailure : public ::testing::TestWithParam<FailureRow> {};

TEST_P(InjectedFailure, ShowsItsFailureTextInItsFieldOnly) {
    const FailureRow& row = GetParam();
    FakePlatform healthy = healthyMachine();
    const std::map<Ctl, std::string> before = startUp(healthy);
    ASSERT_NE(before.at(row.field), row.failureText);

    FakePlatform failing = healthyMachine();
    failing.failures[std::string(row.function)] = row.code;
    std::map<Ctl, std::string> after = startUp(failing);
    EXPECT_EQ(after.at(row.field), row.failureText);
    // The disk probes all read the selected drive: without a drive list every one of them
    // reads nothing, which the drive list's own row shows.
    if (row.function == "GetLogicalDriveStringsA") return;
    const std::set<Ctl> filled = fieldsFilledBy(row.function);
    for (const auto& [field, text] : before) {
        if (!filled.contains(field)) {
            EXPECT_EQ(after.at(field), text) << row.function;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    EveryCall, InjectedFailure,
    ::testing::Values(
        FailureRow{"GetLogicalDriveStringsA", win32_error::kAccessDenied, Ctl::Drive1, ""},
        FailureRow{"GetDriveTypeA", win32_error::kAccessDenied, Ctl::Text18, "判断不能"},
        FailureRow{"GetVolumeInformationA", win32_error::kNotReady, Ctl::List4,
                   "(21)属性は取得できません。"},
        FailureRow{"GetVolumeInformationA", win32_error::kNotReady, Ctl::Text19, ""},
        FailureRow{"GetVolumeInformationA", win32_error::kNotReady, Ctl::Text20, ""},
        FailureRow{"GetDiskFreeSpaceExA", win32_error::kNotReady, Ctl::Text15, "0"},
        FailureRow{"GetDiskFreeSpaceExA", win32_error::kAccessDenied, Ctl::Text16, "0"},
        FailureRow{"SHGetFolderPathA", win32_error::kPathNotFound, Ctl::Text8, ""},
        // The figures are grouped by the comma, as on the Japanese systems the window was for.
        FailureRow{"GetLocaleInfoA", win32_error::kInvalidParameter, Ctl::Text16, "4,000"},
        FailureRow{"GetComputerNameA", win32_error::kBufferOverflow, Ctl::Text1, ""},
        FailureRow{"GetUserNameA", win32_error::kInsufficientBuffer, Ctl::Text2, ""},
        FailureRow{"GetComputerNameExA", win32_error::kMoreData, Ctl::Text13,
                   "より多くのデータが使えます。"},
        FailureRow{"GlobalMemoryStatusEx", win32_error::kInvalidData, Ctl::Text23, "0%"},
        FailureRow{"GlobalMemoryStatusEx", win32_error::kFileNotFound, Ctl::Text26, "0M"}),
    [](const ::testing::TestParamInfo<FailureRow>& row) {
        return std::string(row.param.function) + "_" + std::to_string(row.index);
    });

// Only the optional call can be missing from a system: its field says it could not be had,
// and start-up goes on to the end.
TEST(MissingFunction, GetComputerNameExShowsItsTrapAndStartUpGoesOn) {
    FakePlatform platform = healthyMachine();
    platform.missing.insert("GetComputerNameExA");
    const std::map<Ctl, std::string> fields = startUp(platform);
    EXPECT_EQ(fields.at(Ctl::Text13), "取得不能");
    EXPECT_EQ(fields.at(Ctl::Text14), "取得不能");
    EXPECT_EQ(fields.at(Ctl::Text2), "user");
    EXPECT_EQ(platform.calls.back(), "SHAppBarMessage(4)");
}

TEST(MissingFunction, SHGetFolderPathLeavesTheFolderEmptyAndStartUpGoesOn) {
    FakePlatform platform = healthyMachine();
    platform.missing.insert("SHGetFolderPathA");
    const std::map<Ctl, std::string> fields = startUp(platform);
    EXPECT_EQ(fields.at(Ctl::Text8), "");
    EXPECT_EQ(fields.at(Ctl::Text2), "user");
    EXPECT_EQ(platform.calls.back(), "SHAppBarMessage(4)");
}

}  // namespace
}  // namespace zarnel
