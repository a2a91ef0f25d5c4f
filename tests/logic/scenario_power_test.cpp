// Scenario files: the keys for the power record, the taskbar and the management service.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/errors.h"
#include "platform/fake/fake_platform.h"

namespace zarnel {
namespace {

class ScenarioFile : public ::testing::Test {
  protected:
    void write(std::string_view text) { std::ofstream(path_) << text; }
    void TearDown() override { std::filesystem::remove(path_); }

    const std::filesystem::path path_ =
        std::filesystem::temp_directory_path() /
        ("zarnel-scenario-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
};

TEST_F(ScenarioFile, PowerTaskbarAndInstances) {
    write(
        "power.ACLineStatus = 0\n"
        "power.BatteryFlag = 2\n"
        "power.BatteryLifePercent = 25\n"
        "power.BatteryLifeTime = 3600\n"
        "power.BatteryFullLifeTime = -1\n"
        "appBarState = 3\n"
        "wmi.Win32_Processor = none\n"
        "wmi.Win32_Processor.Name = Test CPU   # the first instance is made on demand\n"
        "wmi.Win32_Processor.CurrentClockSpeed = 2400\n"
        "wmi.Win32_Processor = new\n"
        "wmi.Win32_Processor.Name = \"  Second  \"\n"
        "wmi.Win32_Processor.Version = null\n"
        "wmi.Win32_Processor.SocketDesignation = \"1\"\n"
        "wmi.Win32_BIOS = absent\n");
    FakePlatform platform;
    loadScenario(platform, path_);
    EXPECT_EQ(platform.records.power.ACLineStatus, 0);
    EXPECT_EQ(platform.records.power.BatteryFlag, 2);
    EXPECT_EQ(platform.records.power.BatteryLifePercent, 25);
    EXPECT_EQ(platform.records.power.BatteryLifeTime, 3600);
    EXPECT_EQ(platform.records.power.BatteryFullLifeTime, -1);
    EXPECT_EQ(platform.records.appBarState, 3U);
    const std::vector<WmiInstance> expected = {
        {{"Name", "Test CPU"}, {"CurrentClockSpeed", std::int64_t{2400}}},
        {{"Name", "  Second  "}, {"Version", std::monostate{}}, {"SocketDesignation", "1"}}};
    EXPECT_EQ(platform.wmiInstances("Win32_Processor"), expected);
    EXPECT_THROW(platform.wmiInstances("Win32_BIOS"), WmiError);
}

TEST_F(ScenarioFile, ServiceSwitchedOff) {
    write("wmiAvailable = false\n");
    FakePlatform platform;
    loadScenario(platform, path_);
    EXPECT_THROW(platform.wmiInstances("Win32_OperatingSystem"), WmiError);
}

TEST_F(ScenarioFile, BadValuesNameTheirLine) {
    for (std::string_view line :
         {"wmiAvailable = maybe\n", "wmi.Win32_BIOS = several\n", "power.BatteryFlag = high\n"}) {
        write(line);
        FakePlatform platform;
        EXPECT_THROW(loadScenario(platform, path_), std::runtime_error) << line;
    }
}

}  // namespace
}  // namespace zarnel
