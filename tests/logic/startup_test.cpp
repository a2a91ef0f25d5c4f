// The start-up sequence: every probe once, in its fixed order.
#include <gtest/gtest.h>

#include "app/form1.h"
#include "disk/disk_probes.h"
#include "platform/fake/fake_platform.h"
#include "tests/support/recording_controls.h"

namespace zarnel {
namespace {

using testing::RecordingControls;

TEST(Startup, PlatformCallsComeInStepOrder) {
    FakePlatform platform;
    RecordingControls controls;
    Form1 form(controls, platform);
    fillDrive1(controls, platform);
    form.Form_Load();
    EXPECT_EQ(platform.calls, (std::vector<std::string>{
                                  "GetLogicalDriveStringsA()",
                                  "InstancesOf(Win32_OperatingSystem)",
                                  "InstancesOf(Win32_Processor)",
                                  "InstancesOf(Win32_BIOS)",
                                  "GetComputerNameExA(1,128)",
                                  "GetComputerNameExA(6,128)",
                                  "GetDiskFreeSpaceExA(c:\\)",
                                  "GetLocaleInfoA(STHOUSAND,16)",
                                  "GetDriveTypeA(c:\\)",
                                  "GetVolumeInformationA(c:\\,260,32)",
                                  "GetVolumeInformationA(c:\\,260,32)",
                                  "GetVolumeInformationA(c:\\,260,32)",
                                  "GetVolumeInformationA(c:\\,260,32)",
                                  "GlobalMemoryStatusEx(24)",
                                  "GetComputerNameA(16)",
                                  "GetUserNameA(257)",
                                  "SetLastError(0)",
                                  "GetSystemPowerStatus()",
                                  "SHGetFolderPathA(4660,32768,260)",
                                  "SHAppBarMessage(4)",
                              }));
}

TEST(Startup, FillsTheNamesOfThePcTab) {
    FakePlatform platform;
    platform.records = {.computerName = "DESK",
                        .userName = "hanako",
                        .dnsHostname = "desk",
                        .dnsDomain = "home.example"};
    RecordingControls controls;
    Form1 form(controls, platform);
    form.Form_Load();
    EXPECT_EQ(controls.text(Ctl::Text1), "DESK");
    EXPECT_EQ(controls.text(Ctl::Text2), "hanako");
    EXPECT_EQ(controls.text(Ctl::Text13), "desk");
    EXPECT_EQ(controls.text(Ctl::Text14), "home.example");
}

}  // namespace
}  // namespace zarnel
