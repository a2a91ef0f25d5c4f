// Where wine's management service differs from Windows', the window's logic must still show
// what it shows on Windows for the same answer. Each test asks the service on this machine
// and holds the list to what that answer means, so it passes on Windows and under wine alike.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "platform/win32/win32_platform.h"
#include "probes/wmi_probes.h"
#include "tests/support/recording_controls.h"

namespace zarnel {
namespace {

constexpr std::string_view kTrapped = "取得不能";

bool lists(Platform& platform, std::string_view className, std::string_view property) {
    const std::vector<WmiInstance> instances = platform.wmiInstances(className);
    if (instances.empty()) return false;
    return std::ranges::any_of(instances.back(),
                               [&](const auto& entry) { return entry.first == property; });
}

// Wine 8 does not list SocketDesignation, the processor list's last line.
TEST(WineDifferences, ProcessorListEndsInTheTrapLineWhereSocketDesignationIsNotListed) {
    Win32Platform platform;
    testing::RecordingControls controls;
    Pruseltusa(controls, platform);
    const std::vector<std::string> lines = controls.items(Ctl::List2);
    ASSERT_EQ(lines.size(), 5u) << "four properties, then the socket or the trap line";
    EXPECT_TRUE(lines[1].starts_with("名称\t")) << lines[1];
    // The clock comes over as a whole number and is shown as one.
    constexpr std::string_view kClock = "周波数\t";
    ASSERT_TRUE(lines[3].starts_with(kClock)) << lines[3];
    const std::string megahertz = lines[3].substr(kClock.size());
    EXPECT_FALSE(megahertz.empty());
    EXPECT_TRUE(std::ranges::all_of(megahertz, [](char c) { return c >= '0' && c <= '9'; }))
        << megahertz;
    if (lists(platform, "Win32_Processor", "SocketDesignation")) {
        EXPECT_TRUE(lines.back().starts_with("ソケット\t")) << lines.back();
    } else {
        EXPECT_EQ(lines.back(), kTrapped);
    }
}

// Wine 8 does not list the BIOS's Status: the list keeps the lines before it and ends in the
// trap line, as it would on a Windows machine whose service failed there.
TEST(WineDifferences, BiosListStopsAtStatusWhereTheServiceDoesNotListIt) {
    Win32Platform platform;
    testing::RecordingControls controls;
    Biosjyouhou(controls, platform);
    const std::vector<std::string> lines = controls.items(Ctl::List3);
    ASSERT_FALSE(lines.empty());
    if (lists(platform, "Win32_BIOS", "Status")) {
        EXPECT_EQ(lines.size(), 5u);
        EXPECT_NE(lines.back(), kTrapped);
    } else {
        ASSERT_EQ(lines.size(), 4u) << "three lines, then the trap line";
        EXPECT_TRUE(lines[2].starts_with("SM Ver.\t")) << lines[2];
        EXPECT_EQ(lines.back(), kTrapped);
    }
}

}  // namespace
}  // namespace zarnel
