// The power frame: every row of its three tables, its two message boxes, and the start-up
// that a failed query cuts short.
#include "probes/power.h"

#include <gtest/gtest.h>

#include "app/form1.h"
#include "platform/fake/fake_platform.h"
#include "tests/support/recording_controls.h"

namespace zarnel {
namespace {

using testing::RecordingControls;

struct PowerRow {
    std::string_view name;
    SystemPowerStatus record;
    std::string_view source;   // Text3
    std::string_view battery;  // Text4
    std::string_view percent;  // Text5
    std::string_view left;     // Text6
    std::string_view full;     // Text7
};

class PowerTable : public ::testing::TestWithParam<PowerRow> {};

TEST_P(PowerTable, RecordIsShownByTheTables) {
    const PowerRow& row = GetParam();
    FakePlatform platform;
    platform.records.power = row.record;
    RecordingControls controls;
    EXPECT_EQ(PowerStatus(controls, platform), PowerOutcome::Shown);
    EXPECT_EQ(controls.text(Ctl::Text3), row.source);
    EXPECT_EQ(controls.text(Ctl::Text4), row.battery);
    EXPECT_EQ(controls.text(Ctl::Text5), row.percent);
    EXPECT_EQ(controls.text(Ctl::Text6), row.left);
    EXPECT_EQ(controls.text(Ctl::Text7), row.full);
    EXPECT_TRUE(controls.messages.empty());
}

constexpr SystemPowerStatus record(std::uint8_t ac, std::uint8_t flag, std::uint8_t percent,
                                   std::int32_t left, std::int32_t full) {
    return {.ACLineStatus = ac,
            .BatteryFlag = flag,
            .BatteryLifePercent = percent,
            .BatteryLifeTime = left,
            .BatteryFullLifeTime = full};
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PowerTable,
    ::testing::Values(PowerRow{"DesktopWithoutBattery", record(1, 128, 255, -1, -1), "ＡＣ電源",
                               "バッテリなし", "不明", "不明", "不明"},
                      PowerRow{"FullOnBattery", record(0, 1, 100, 7200, 7300), "ＤＣ電源", "多い",
                               "残存100％", "7200秒", "7300秒"},
                      PowerRow{"Low", record(0, 2, 20, 1800, 9000), "ＤＣ電源", "少い", "残存20％",
                               "1800秒", "9000秒"},
                      PowerRow{"Critical", record(0, 4, 3, 240, 8000), "ＤＣ電源", "微量",
                               "残存3％", "240秒", "8000秒"},
                      PowerRow{"Charging", record(1, 8, 50, -1, -1), "ＡＣ電源", "充電中",
                               "残存50％", "不明", "不明"},
                      PowerRow{"HighAndCharging", record(1, 9, 85, -1, -1), "ＡＣ電源", "不明",
                               "残存85％", "不明", "不明"},
                      PowerRow{"UnknownStatus", record(255, 255, 255, -1, -1), "不明", "不明",
                               "不明", "不明", "不明"},
                      PowerRow{"NoFlagBetweenLowAndHigh", record(0, 0, 50, 5400, 10800), "ＤＣ電源",
                               "不明", "残存50％", "5400秒", "10800秒"},
                      PowerRow{"OtherSourceValue", record(2, 6, 0, 0, 0), "不明", "不明", "残存0％",
                               "0秒", "0秒"},
                      // Only -1 is the platform's unknown; any other negative is shown as a number.
                      PowerRow{"OtherNegativeTimes",
                               record(0, 1, 254, -2, std::numeric_limits<int32_t>::min()),
                               "ＤＣ電源", "多い", "残存254％", "-2秒", "-2147483648秒"},
                      PowerRow{"LargestTimes",
                               record(0, 1, 99, std::numeric_limits<int32_t>::max(), 1), "ＤＣ電源",
                               "多い", "残存99％", "2147483647秒", "1秒"}),
    [](const auto& row) { return std::string(row.param.name); });

struct FailureRow {
    std::uint32_t code;
    PowerOutcome outcome;
    MessageIcon icon;
    std::string_view text;
};

class PowerFailure : public ::testing::TestWithParam<FailureRow> {};

TEST_P(PowerFailure, ShowsItsBoxAndWritesNoField) {
    const FailureRow& row = GetParam();
    FakePlatform platform;
    platform.failures["GetSystemPowerStatus"] = row.code;
    RecordingControls controls;
    EXPECT_EQ(PowerStatus(controls, platform), row.outcome);
    ASSERT_EQ(controls.messages.size(), 1U);
    EXPECT_EQ(controls.messages[0].text, row.text);
    EXPECT_EQ(controls.messages[0].icon, row.icon);
    EXPECT_EQ(controls.messages[0].title, "zarnel");
    for (Ctl field : {Ctl::Text3, Ctl::Text4, Ctl::Text5, Ctl::Text6, Ctl::Text7}) {
        EXPECT_EQ(controls.text(field), ctlName(field)) << "design-time text kept";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Codes, PowerFailure,
    ::testing::Values(FailureRow{50, PowerOutcome::NotSupported, MessageIcon::Information,
                                 "システムでサポートされません。"},
                      FailureRow{120, PowerOutcome::NotSupported, MessageIcon::Information,
                                 "システムでサポートされません。"},
                      FailureRow{5, PowerOutcome::Failed, MessageIcon::Error,
                                 "(5)関数の呼び出しは失敗しました。"},
                      FailureRow{4294967295U, PowerOutcome::Failed, MessageIcon::Error,
                                 "(4294967295)関数の呼び出しは失敗しました。"}));

TEST(Power, ErrorLeftByAnEarlierCallIsClearedBeforeTheQuery) {
    FakePlatform platform;
    platform.failures["GetComputerNameExA"] = 234;
    std::string buffer(4, '\0');
    std::uint32_t len = 4;
    platform.getComputerNameEx(ComputerNameFormat::DnsHostname, buffer, len);
    ASSERT_EQ(platform.lastError(), 234U);
    platform.calls.clear();

    RecordingControls controls;
    EXPECT_EQ(PowerStatus(controls, platform), PowerOutcome::Shown);
    EXPECT_EQ(platform.calls,
              (std::vector<std::string>{"SetLastError(0)", "GetSystemPowerStatus()"}));
    EXPECT_TRUE(controls.messages.empty());
}

class StartupAfterPowerFailure : public ::testing::TestWithParam<std::uint32_t> {};

TEST_P(StartupAfterPowerFailure, EndsAfterTheBox) {
    FakePlatform platform;
    platform.failures["GetSystemPowerStatus"] = GetParam();
    platform.records.appBarState = 3;
    RecordingControls controls;
    Form1 form(controls, platform);
    form.Form_Load();

    ASSERT_EQ(controls.messages.size(), 1U);
    EXPECT_EQ(platform.calls.back(), "GetSystemPowerStatus()") << "nothing after the power query";
    EXPECT_FALSE(controls.timerEnabled());
    EXPECT_EQ(controls.listIndex(Ctl::Combo1), -1);
    EXPECT_EQ(controls.text(Ctl::Text8), "Text8");
    EXPECT_EQ(controls.text(Ctl::Text9), "Text9");
    EXPECT_EQ(controls.text(Ctl::Text10), "Text10");
    EXPECT_TRUE(controls.recordedPicture(Ctl::Picture1).operations.empty()) << "no grid";
    // The steps before it ran.
    EXPECT_EQ(controls.text(Ctl::Text1), "FAKEPC");
    EXPECT_EQ(controls.items(Ctl::List2).size(), 5U);
}

INSTANTIATE_TEST_SUITE_P(Codes, StartupAfterPowerFailure, ::testing::Values(50U, 120U, 5U));

TEST(Power, SuccessfulQueryLetsStartUpReachTheTaskbar) {
    FakePlatform platform;
    platform.records.appBarState = 2;
    RecordingControls controls;
    Form1 form(controls, platform);
    form.Form_Load();
    EXPECT_TRUE(controls.messages.empty());
    EXPECT_EQ(controls.text(Ctl::Text3), "ＡＣ電源");
    EXPECT_EQ(controls.text(Ctl::Text10), "設定されています");
}

}  // namespace
}  // namespace zarnel
