// Registration, processor and BIOS: what the management service gives, and every way it fails.
#include "probes/wmi_probes.h"

#include <gtest/gtest.h>

#include "app/form1.h"
#include "app/late_answers.h"
#include "platform/fake/fake_platform.h"
#include "tests/support/recording_controls.h"

namespace zarnel {
namespace {

using testing::RecordingControls;
using Lines = std::vector<std::string>;

const WmiInstance kProcessor = {{"Manufacturer", "GenuineIntel"},
                                {"Name", "Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz"},
                                {"Version", std::monostate{}},
                                {"CurrentClockSpeed", std::int64_t{2400}},
                                {"SocketDesignation", "U3E1"}};

const WmiInstance kBios = {{"Manufacturer", "LENOVO"},
                           {"ReleaseDate", "20230922000000.000000+000"},
                           {"SMBIOSBIOSVersion", "N23ET87W (1.62 )"},
                           {"Status", "OK"},
                           {"Version", "LENOVO - 1620"}};

struct Machine {
    FakePlatform platform;
    RecordingControls controls;

    void runProbes() {
        TourokuKaisya(controls, platform);
        Pruseltusa(controls, platform);
        Biosjyouhou(controls, platform);
    }
};

TEST(WmiProbes, LinesAreLabelTabValueWithNullAsNothing) {
    Machine m;
    m.platform.records.wmi["Win32_Processor"] = {kProcessor};
    m.platform.records.wmi["Win32_BIOS"] = {kBios};
    m.runProbes();
    EXPECT_EQ(m.controls.items(Ctl::List2),
              (Lines{"製造\tGenuineIntel", "名称\tIntel(R) Core(TM) i5-8250U CPU @ 1.60GHz",
                     "Ver.\t", "周波数\t2400", "ソケット\tU3E1"}));
    EXPECT_EQ(m.controls.items(Ctl::List3),
              (Lines{"製造\tLENOVO", "リリース日\t20230922000000.000000+000",
                     "SM Ver.\tN23ET87W (1.62 )", "状態\tOK", "Ver.\tLENOVO - 1620"}));
    EXPECT_EQ(m.platform.calls, (Lines{"InstancesOf(Win32_OperatingSystem)",
                                       "InstancesOf(Win32_Processor)", "InstancesOf(Win32_BIOS)"}));
}

TEST(WmiProbes, NumbersArePlainDigitsWithoutGrouping) {
    Machine m;
    WmiInstance processor = kProcessor;
    processor[3].second = std::int64_t{4294967295};
    processor[2].second = std::int64_t{-1};
    m.platform.records.wmi["Win32_Processor"] = {processor};
    Pruseltusa(m.controls, m.platform);
    EXPECT_EQ(m.controls.items(Ctl::List2)[2], "Ver.\t-1");
    EXPECT_EQ(m.controls.items(Ctl::List2)[3], "周波数\t4294967295");
}

TEST(WmiProbes, PropertyNamesMatchWithoutRegardToCase) {
    Machine m;
    m.platform.records.wmi["Win32_OperatingSystem"] = {
        {{"ORGANIZATION", "Example KK"}, {"registereduser", "Hanako"}}};
    TourokuKaisya(m.controls, m.platform);
    EXPECT_EQ(m.controls.text(Ctl::Text11), "Example KK");
    EXPECT_EQ(m.controls.text(Ctl::Text12), "Hanako");
}

TEST(WmiProbes, TwoProcessorsShowTheSecondOnly) {
    Machine m;
    WmiInstance second = kProcessor;
    second[4].second = "CPU2";
    WmiInstance first = kProcessor;
    first[4].second = "CPU1";
    m.platform.records.wmi["Win32_Processor"] = {first, second};
    Pruseltusa(m.controls, m.platform);
    ASSERT_EQ(m.controls.items(Ctl::List2).size(), 5U);
    EXPECT_EQ(m.controls.items(Ctl::List2)[4], "ソケット\tCPU2");
}

struct RegistrationRow {
    std::string_view name;
    WmiValue organization;
    WmiValue owner;
    std::string_view text11;
    std::string_view text12;
};

class Registration : public ::testing::TestWithParam<RegistrationRow> {};

TEST_P(Registration, OverwriteOrder) {
    const RegistrationRow& row = GetParam();
    Machine m;
    m.platform.records.wmi["Win32_OperatingSystem"] = {
        {{"Organization", row.organization}, {"RegisteredUser", row.owner}}};
    TourokuKaisya(m.controls, m.platform);
    EXPECT_EQ(m.controls.text(Ctl::Text11), row.text11);
    EXPECT_EQ(m.controls.text(Ctl::Text12), row.text12);
}

INSTANTIATE_TEST_SUITE_P(
    Values, Registration,
    ::testing::Values(
        RegistrationRow{"Both", "Example KK", "Hanako", "Example KK", "Hanako"},
        RegistrationRow{"EmptyOrganization", "", "Hanako", "", "Hanako"},
        RegistrationRow{"NullOrganization", std::monostate{}, "Hanako", "取得不能", "取得不能"},
        // The organisation is written first, then overwritten by the error path.
        RegistrationRow{"NullOwner", "Example KK", std::monostate{}, "取得不能", "取得不能"},
        RegistrationRow{"NumberOwner", "Example KK", std::int64_t{42}, "Example KK", "42"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(WmiProbes, OwnerReadAfterTheOrganisationIsWritten) {
    // A recording window that remembers every write shows the overwrite itself.
    struct History : RecordingControls {
        Lines writes;
        void setText(Ctl ctl, std::string_view text, int index = 0) override {
            writes.push_back(std::string(ctlName(ctl)) + "=" + std::string(text));
            RecordingControls::setText(ctl, text, index);
        }
    } controls;
    FakePlatform platform;
    platform.records.wmi["Win32_OperatingSystem"] = {
        {{"Organization", "Example KK"}, {"RegisteredUser", std::monostate{}}}};
    TourokuKaisya(controls, platform);
    EXPECT_EQ(controls.writes, (Lines{"Text11=Example KK", "Text11=取得不能", "Text12=取得不能"}));
}

struct FailureRow {
    std::string_view name;
    void (*arrange)(FakePlatform&);
    Lines list2;
    Lines list3;
    std::string_view text11;
};

class WmiFailure : public ::testing::TestWithParam<FailureRow> {};

TEST_P(WmiFailure, TrappedAsUnobtainable) {
    Machine m;
    GetParam().arrange(m.platform);
    m.runProbes();
    EXPECT_EQ(m.controls.items(Ctl::List2), GetParam().list2);
    EXPECT_EQ(m.controls.items(Ctl::List3), GetParam().list3);
    EXPECT_EQ(m.controls.text(Ctl::Text11), GetParam().text11);
}

const Lines kTrapped = {"取得不能"};

INSTANTIATE_TEST_SUITE_P(
    Cases, WmiFailure,
    ::testing::Values(
        FailureRow{"Unavailable", [](FakePlatform& p) { p.records.wmiAvailable = false; }, kTrapped,
                   kTrapped, "取得不能"},
        FailureRow{"UnknownClass",
                   [](FakePlatform& p) {
                       p.records.wmi.erase("Win32_BIOS");
                       p.records.wmi.erase("Win32_OperatingSystem");
                   },
                   {"製造\tGenuineIntel", "名称\tFake Processor 2400", "Ver.\tModel 1, Stepping 0",
                    "周波数\t2400", "ソケット\tCPU0"},
                   kTrapped,
                   "取得不能"},
        FailureRow{"EmptyInstanceList",
                   [](FakePlatform& p) {
                       p.records.wmi["Win32_Processor"].clear();
                       p.records.wmi["Win32_OperatingSystem"].clear();
                   },
                   kTrapped,
                   {"製造\tFake Firmware", "リリース日\t20240115000000.000000+000",
                    "SM Ver.\t1.0.0", "状態\tOK", "Ver.\tFAKE - 1"},
                   "取得不能"},
        FailureRow{"MissingThirdProperty",
                   [](FakePlatform& p) {
                       p.records.wmi["Win32_Processor"] = {
                           {{"Manufacturer", "AuthenticAMD"}, {"Name", "AMD Ryzen 5 5600X"}}};
                       p.records.wmi["Win32_BIOS"] = {{{"Manufacturer", "AMI"},
                                                       {"ReleaseDate", std::monostate{}},
                                                       {"SMBIOSBIOSVersion", "F5"},
                                                       {"Status", "OK"}}};
                   },
                   {"製造\tAuthenticAMD", "名称\tAMD Ryzen 5 5600X", "取得不能"},
                   {"製造\tAMI", "リリース日\t", "SM Ver.\tF5", "状態\tOK", "取得不能"},
                   ""}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(WmiProbes, StartUpGoesOnWithoutTheService) {
    Machine m;
    m.platform.records.wmiAvailable = false;
    Form1 form(m.controls, m.platform);
    form.Form_Load();
    EXPECT_EQ(m.controls.items(Ctl::List2), kTrapped);
    EXPECT_EQ(m.controls.items(Ctl::List3), kTrapped);
    EXPECT_EQ(m.controls.text(Ctl::Text12), "取得不能");
    EXPECT_EQ(m.controls.text(Ctl::Text3), "ＡＣ電源");
    EXPECT_EQ(m.controls.text(Ctl::Text9), "設定されていません");
    EXPECT_TRUE(m.controls.timerEnabled()) << "the graph starts all the same";
}

// The service answering late (still starting as the window opened): each list that could not
// be had is shown afresh once it answers, with nothing left of its failure; what was had is not
// asked again.
TEST(WmiProbes, FactsThatCouldNotBeHadAreShownAgain) {
    Machine m;
    m.platform.records.wmi["Win32_Processor"] = {kProcessor};
    m.platform.records.wmi["Win32_BIOS"] = {kBios};
    m.platform.records.wmiAvailable = false;
    m.runProbes();
    m.platform.records.wmiAvailable = true;
    m.platform.calls.clear();
    showMissingFactsAgain(m.controls, m.platform);
    EXPECT_EQ(m.controls.items(Ctl::List2).front(), "製造\tGenuineIntel");
    EXPECT_EQ(m.controls.items(Ctl::List2).size(), 5U);
    EXPECT_EQ(m.controls.items(Ctl::List3).front(), "製造\tLENOVO");
    EXPECT_NE(m.controls.text(Ctl::Text12), "取得不能");

    m.platform.calls.clear();
    showMissingFactsAgain(m.controls, m.platform);
    EXPECT_EQ(m.platform.calls, Lines{}) << "nothing missing, nothing asked";
}

// A machine without firmware tables never has its BIOS: each late answer (a share, a name
// server) finds the same failure, and the list the reader is in stays as it is.
TEST(WmiProbes, AFactThatNeverComesLeavesItsListAlone) {
    Machine m;
    m.platform.records.wmi["Win32_Processor"] = {kProcessor};
    m.platform.records.wmi["Win32_BIOS"] = {};
    m.runProbes();
    ASSERT_EQ(m.controls.items(Ctl::List3), kTrapped);
    m.controls.setListIndex(Ctl::List3, 0);
    showMissingFactsAgain(m.controls, m.platform);
    EXPECT_EQ(m.controls.items(Ctl::List3), kTrapped);
    EXPECT_EQ(m.controls.listIndex(Ctl::List3), 0);
}

}  // namespace
}  // namespace zarnel
