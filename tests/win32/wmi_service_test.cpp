// A management service that hangs while it starts costs the window one short wait, not three
// long ones, and every failure still reaches the probes as WmiError.
#include "platform/win32/wmi_service.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/errors.h"
#include "platform/win32/win32_platform.h"
#include "probes/wmi_probes.h"
#include "tests/support/recording_controls.h"
#include "tests/support/stalled_server.h"

namespace zarnel {
namespace {

using namespace std::chrono_literals;

constexpr auto kShortDeadline = 50ms;
constexpr std::string_view kTrapped = "取得不能";

TEST(Win32WmiService, AHungServiceIsWaitedForOnceForEveryClass) {
    const testing::StalledServer service;
    Win32Platform platform;
    platform.wmiService = win32::WmiService(
        [service](const std::string&) {
            service.hold();
            return std::vector<WmiInstance>{};
        },
        kShortDeadline);
    testing::RecordingControls controls;
    Pruseltusa(controls, platform);
    Biosjyouhou(controls, platform);
    EXPECT_EQ(controls.items(Ctl::List2), std::vector<std::string>{std::string(kTrapped)});
    EXPECT_EQ(controls.items(Ctl::List3), std::vector<std::string>{std::string(kTrapped)});
    EXPECT_EQ(service.callsOnceOneArrived(), 1);
    EXPECT_THROW(platform.wmiInstances("Win32_OperatingSystem"), WmiError);
    EXPECT_EQ(service.callsOnceOneArrived(), 1);
    service.answer();
}

TEST(Win32WmiService, AnswersAndFailuresComeBackFromTheHelperThread) {
    const WmiInstance bios{{"Manufacturer", std::string("Maker")}, {"BuildNumber", WmiValue()}};
    const win32::WmiService answering([&](const std::string& className) {
        return className == "Win32_BIOS" ? std::vector<WmiInstance>{bios}
                                         : std::vector<WmiInstance>{};
    });
    EXPECT_EQ(answering.instances("Win32_BIOS"), std::vector<WmiInstance>{bios});
    EXPECT_TRUE(answering.instances("Win32_Processor").empty());

    const win32::WmiService refusing(
        [](const std::string&) -> std::vector<WmiInstance> { throw WmiError("refused"); });
    try {
        refusing.instances("Win32_BIOS");
        ADD_FAILURE() << "no WmiError";
    } catch (const WmiError& failure) {
        EXPECT_STREQ(failure.what(), "refused");
    }
    const win32::WmiService broken(
        [](const std::string&) -> std::vector<WmiInstance> { throw std::runtime_error("bad"); });
    EXPECT_THROW(broken.instances("Win32_BIOS"), WmiError);
}

}  // namespace
}  // namespace zarnel
