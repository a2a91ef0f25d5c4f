// A management service that hangs while it starts costs the window one short wait, not three
// long ones, and every failure still reaches the probes as WmiError.
#include "platform/win32/wmi_service.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <stdexcept>

#include "app/late_answers.h"
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

// Waits until `message` is posted to `window`, or a long while passed: false then.
bool posted(HWND window, UINT message) {
    constexpr ULONGLONG kLongWhileMs = 30'000;
    const ULONGLONG until = GetTickCount64() + kLongWhileMs;
    MSG got{};
    while (!PeekMessageW(&got, window, message, message, PM_REMOVE)) {
        const ULONGLONG now = GetTickCount64();
        if (now >= until) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(until - now),
                                  QS_POSTMESSAGE);
    }
    return true;
}

// A service still starting when the window opens answers after the wait: its answer is kept and
// told to the window, and the hardware shown again from it; each class missing is then asked
// without waiting and told in turn, until every fact is shown.
TEST(Win32WmiService, ALateAnswerIsToldAndTheHardwareShownAgain) {
    const testing::StalledServer service;
    const WmiInstance os = {{"Organization", std::string()}, {"RegisteredUser", "Hanako"}};
    const WmiInstance processor = {{"Manufacturer", "GenuineIntel"},
                                   {"Name", "Core"},
                                   {"Version", WmiValue()},
                                   {"CurrentClockSpeed", std::int64_t{2400}},
                                   {"SocketDesignation", "U3E1"}};
    const WmiInstance bios = {{"Manufacturer", "LENOVO"},
                              {"ReleaseDate", WmiValue()},
                              {"SMBIOSBIOSVersion", "N23ET87W"},
                              {"Status", "OK"},
                              {"Version", "LENOVO - 1620"}};
    Win32Platform platform;
    platform.askManagementServiceBy(
        [service, os, processor, bios](const std::string& className) {
            service.hold();
            if (className == "Win32_OperatingSystem") return std::vector<WmiInstance>{os};
            return std::vector<WmiInstance>{className == "Win32_Processor" ? processor : bios};
        },
        kShortDeadline);
    const HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    constexpr UINT kLateAnswer = WM_APP + 1;
    platform.tellLateAnswersTo(window, kLateAnswer);
    testing::RecordingControls controls;
    TourokuKaisya(controls, platform);
    Pruseltusa(controls, platform);
    Biosjyouhou(controls, platform);
    ASSERT_EQ(controls.text(Ctl::Text12), kTrapped);

    service.answer();
    constexpr int kClasses = 3;
    for (int shown = 0; shown < kClasses && controls.items(Ctl::List3).front() == kTrapped;
         ++shown) {
        ASSERT_TRUE(posted(window, kLateAnswer)) << "no late answer told after " << shown;
        platform.showLateAnswers(
            [&](const LateNews&) { showMissingFactsAgain(controls, platform); });
    }
    platform.tellLateAnswersTo(nullptr, 0);
    DestroyWindow(window);
    EXPECT_EQ(controls.text(Ctl::Text12), "Hanako");
    EXPECT_EQ(controls.items(Ctl::List2).front(), "製造\tGenuineIntel");
    EXPECT_EQ(controls.items(Ctl::List3).front(), "製造\tLENOVO");
}

}  // namespace
}  // namespace zarnel
