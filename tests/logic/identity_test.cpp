// The four names of the PC tab, read through the fake provider.
#include "probes/identity.h"

#include <gtest/gtest.h>

#include "platform/errors.h"
#include "platform/fake/fake_platform.h"
#include "tests/support/recording_controls.h"

namespace zarnel {
namespace {

using testing::RecordingControls;

TEST(Identity, FifteenCharacterComputerNameIsShownWhole) {
    FakePlatform platform;
    platform.records.computerName = "ABCDEFGHIJKLMNO";
    RecordingControls controls;
    ComputerName(controls, platform);
    EXPECT_EQ(controls.text(Ctl::Text1), "ABCDEFGHIJKLMNO");
    EXPECT_EQ(platform.calls, std::vector<std::string>{"GetComputerNameA(16)"});
}

TEST(Identity, NameThatDoesNotFitLeavesTheFieldEmpty) {
    FakePlatform platform;
    platform.records.computerName = "ABCDEFGHIJKLMNOP";  // 16 bytes + NUL > 16
    platform.records.userName = std::string(257, 'u');
    RecordingControls controls;
    ComputerName(controls, platform);
    UserName(controls, platform);
    EXPECT_EQ(controls.text(Ctl::Text1), "");
    EXPECT_EQ(controls.text(Ctl::Text2), "");
}

TEST(Identity, LongestUserNameFits) {
    FakePlatform platform;
    platform.records.userName = std::string(256, 'u');
    RecordingControls controls;
    UserName(controls, platform);
    EXPECT_EQ(controls.text(Ctl::Text2), std::string(256, 'u'));
}

TEST(Identity, DnsNamesAreShown) {
    FakePlatform platform;
    platform.records.dnsHostname = "build-01";
    platform.records.dnsDomain = "lab.example.org";
    RecordingControls controls;
    DNShoustomei(controls, platform);
    DOMEINmei(controls, platform);
    EXPECT_EQ(controls.text(Ctl::Text13), "build-01");
    EXPECT_EQ(controls.text(Ctl::Text14), "lab.example.org");
    EXPECT_EQ(platform.calls,
              (std::vector<std::string>{"GetComputerNameExA(1,128)", "GetComputerNameExA(6,128)"}));
}

TEST(Identity, MachineWithoutDomainShowsEmptyDomain) {
    FakePlatform platform;
    platform.records.dnsDomain = "";
    RecordingControls controls;
    DOMEINmei(controls, platform);
    EXPECT_EQ(controls.text(Ctl::Text14), "");
}

TEST(Identity, HostNameTooLongForTheBufferShowsMoreData) {
    FakePlatform platform;
    platform.records.dnsHostname = std::string(128, 'h');  // the NUL no longer fits
    RecordingControls controls;
    DNShoustomei(controls, platform);
    EXPECT_EQ(controls.text(Ctl::Text13), "より多くのデータが使えます。");

    platform.records.dnsHostname = std::string(127, 'h');
    DNShoustomei(controls, platform);
    EXPECT_EQ(controls.text(Ctl::Text13), std::string(127, 'h'));
}

struct DnsErrorRow {
    std::uint32_t code;
    std::string_view text;
};

class DnsErrorTable : public ::testing::TestWithParam<DnsErrorRow> {};

TEST_P(DnsErrorTable, FailureCodeSelectsItsText) {
    FakePlatform platform;
    platform.failures["GetComputerNameExA"] = GetParam().code;
    RecordingControls controls;
    DNShoustomei(controls, platform);
    DOMEINmei(controls, platform);
    EXPECT_EQ(controls.text(Ctl::Text13), GetParam().text);
    EXPECT_EQ(controls.text(Ctl::Text14), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Codes, DnsErrorTable,
                         ::testing::Values(DnsErrorRow{111, "バッファの長さが足りません。"},
                                           DnsErrorRow{203, "環境オプションが見つかりません。"},
                                           DnsErrorRow{234, "より多くのデータが使えます。"},
                                           DnsErrorRow{5, "取得できません。"},
                                           DnsErrorRow{0, "取得できません。"}),
                         [](const auto& row) { return "Code" + std::to_string(row.param.code); });

TEST(Identity, MissingFunctionIsTrappedWhileTheOtherNamesAreFilled) {
    FakePlatform platform;
    platform.missing.insert("GetComputerNameExA");
    RecordingControls controls;
    DNShoustomei(controls, platform);
    DOMEINmei(controls, platform);
    ComputerName(controls, platform);
    UserName(controls, platform);
    EXPECT_EQ(controls.text(Ctl::Text13), "取得不能");
    EXPECT_EQ(controls.text(Ctl::Text14), "取得不能");
    EXPECT_EQ(controls.text(Ctl::Text1), "FAKEPC");
    EXPECT_EQ(controls.text(Ctl::Text2), "user");
}

TEST(Identity, DoubleByteNamesAreDecodedAndCountedInBytes) {
    FakePlatform platform("CP932");
    platform.records.computerName = "日本語ＰＣ名前";            // 7 characters, 14 bytes in CP932
    platform.records.dnsHostname = std::string(63, 'x') + "あ";  // 65 bytes: fits
    RecordingControls controls;
    ComputerName(controls, platform);
    DNShoustomei(controls, platform);
    EXPECT_EQ(controls.text(Ctl::Text1), "日本語ＰＣ名前");
    EXPECT_EQ(controls.text(Ctl::Text13), std::string(63, 'x') + "あ");

    // 8 characters but 16 bytes: with its NUL it needs 17, more than the buffer of 16.
    platform.records.computerName = "日本語ＰＣ名前帳";
    ComputerName(controls, platform);
    EXPECT_EQ(controls.text(Ctl::Text1), "");

    // 64 double-byte characters are 128 bytes: too long for the DNS buffer.
    std::string wide;
    for (int i = 0; i < 64; ++i) wide += "名";
    platform.records.dnsHostname = wide;
    DNShoustomei(controls, platform);
    EXPECT_EQ(controls.text(Ctl::Text13), "より多くのデータが使えます。");
}

}  // namespace
}  // namespace zarnel
