// The hardware and power parsers on garbage: cut, spliced and random bytes never crash and
// never give a value outside its range (run under the sanitizers to catch overreads).
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "platform/linux/cpuinfo.h"
#include "platform/linux/dmi.h"
#include "platform/linux/passwd.h"
#include "platform/linux/power_supply.h"
#include "platform/linux/processor.h"
#include "platform/linux/smbios.h"

namespace zarnel {
namespace {

constexpr int kRounds = 1000;
constexpr std::size_t kLongest = 300;

constexpr std::string_view kSeeds[] = {
    "processor\t: 0\nvendor_id\t: GenuineIntel\nmodel\t\t: 85\nmodel name\t: Xeon\n"
    "stepping\t: 7\ncpu MHz\t\t: 2100.000\nphysical id\t: 1\n\n",
    "Processor\t: ARMv7 rev 10\nprocessor\t: 0\n\nCPU implementer\t: 0x41\nCPU part\t: 0xd08\n",
    "clock\t\t: 3550.000000MHz\ncpu\t\t: POWER9\n",
    "hanako:x:1000:1000:Hanako Yamada,,,:/home/hanako:/bin/bash\n",
    "09/22/2023",
    std::string_view("\x04\x30\x04\x00\x01\x03\xb3\x02\0\0\0\0CPU1\0Intel\0\0", 24),
};

// A seed cut, spliced with another and sprinkled with random bytes.
std::string garbage(std::mt19937& random) {
    std::uniform_int_distribution<std::size_t> pick(0, std::size(kSeeds) - 1);
    std::string text(kSeeds[pick(random)]);
    text.resize(std::uniform_int_distribution<std::size_t>(0, text.size())(random));
    text += kSeeds[pick(random)].substr(0, kLongest - text.size());
    std::uniform_int_distribution<int> byte(0, 255);
    const int flips = std::uniform_int_distribution<int>(0, 8)(random);
    for (int i = 0; i < flips && !text.empty(); ++i) {
        text[std::uniform_int_distribution<std::size_t>(0, text.size() - 1)(random)] =
            static_cast<char>(byte(random));
    }
    return text;
}

TEST(ParsersOnGarbage, NeverCrashAndStayInRange) {
    std::mt19937 random(20261207);
    for (int round = 0; round < kRounds; ++round) {
        const std::string text = garbage(random);
        SCOPED_TRACE(::testing::PrintToString(text));

        const auto cpus = linux_fs::parseCpuinfo(text);
        const std::vector<std::string> sockets = {text};
        for (const WmiInstance& instance : linux_fs::processorInstances(cpus, {}, sockets)) {
            ASSERT_EQ(instance.size(), 5U);
            if (const auto* mhz = std::get_if<std::int64_t>(&instance[3].second)) {
                EXPECT_GE(*mhz, 0);
            }
        }

        const linux_fs::PowerSupply battery = linux_fs::parsePowerSupply({{"type", "Battery"},
                                                                          {"status", "Discharging"},
                                                                          {"capacity", text},
                                                                          {"energy_now", text},
                                                                          {"energy_full", text},
                                                                          {"power_now", text}});
        const linux_fs::PowerSupply supplies[] = {battery, battery};
        const SystemPowerStatus status = linux_fs::powerStatus(supplies);
        EXPECT_TRUE(status.BatteryLifePercent <= 100 ||
                    status.BatteryLifePercent == power_status::kUnknown);
        EXPECT_GE(status.BatteryLifeTime, power_status::kUnknownSeconds);

        socketDesignation(text);
        if (const auto date = linux_fs::cimDate(text)) {
            EXPECT_EQ(date->size(), std::string_view("20230922000000.000000+000").size());
        }
        linux_fs::registeredUser(text, 1000);
    }
}

}  // namespace
}  // namespace zarnel
