// The hardware and power parsers on garbage: cut, spliced and random bytes never crash (run
// under the sanitizers to catch overreads), and battery figures and firmware dates of every
// size and shape never give a value outside its range.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <vector>

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
        const std::vector<linux_fs::FirmwareProcessor> firmware = {
            {.socket = text, .currentMHz = processorCurrentSpeed(text)}};
        for (const WmiInstance& instance : linux_fs::processorInstances(cpus, {}, firmware)) {
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
        linux_fs::powerStatus(supplies);
        socketDesignation(text);
        linux_fs::cimDate(text);
        linux_fs::registeredUser(text, 1000);
    }
}

// A battery figure as sysfs may hold it: small, negative, at the edge of 64 bits, beyond it.
std::string batteryFigure(std::mt19937& random) {
    constexpr std::string_view kBeyond64Bits = "99999999999999999999999";
    // Half of them plausible, so that many rounds reach the arithmetic behind the parsers.
    switch (std::uniform_int_distribution<int>(0, 5)(random)) {
        case 0:
            return std::to_string(std::uniform_int_distribution<std::int64_t>(-1000, 1000)(random));
        case 1:
            return std::to_string(std::uniform_int_distribution<std::int64_t>(
                0, std::numeric_limits<std::int64_t>::max())(random));
        case 2:
            return std::string(kBeyond64Bits);
        default:
            return std::to_string(std::uniform_int_distribution<int>(0, 100'000'000)(random)) +
                   "\n";
    }
}

TEST(ParsersOnGarbage, BatteryFiguresOfAnySizeGiveAShareAndATimeInRange) {
    constexpr std::string_view kStates[] = {"Charging", "Discharging", "Full", "Unknown"};
    std::mt19937 random(20261209);
    int knownShares = 0;
    int knownTimes = 0;
    for (int round = 0; round < kRounds; ++round) {
        std::vector<linux_fs::PowerSupply> supplies;
        for (int battery = 0; battery < 2; ++battery) {
            supplies.push_back(linux_fs::parsePowerSupply(
                {{"type", "Battery"},
                 {"status", std::string(kStates[random() % std::size(kStates)])},
                 {"capacity", batteryFigure(random)},
                 {"energy_now", batteryFigure(random)},
                 {"energy_full", batteryFigure(random)},
                 {"power_now", batteryFigure(random)}}));
        }
        const SystemPowerStatus status = linux_fs::powerStatus(supplies);
        SCOPED_TRACE(round);
        if (status.BatteryLifePercent != power_status::kUnknown) {
            EXPECT_LE(status.BatteryLifePercent, 100);
            ++knownShares;
        }
        if (status.BatteryLifeTime != power_status::kUnknownSeconds) {
            EXPECT_GE(status.BatteryLifeTime, 0);
            ++knownTimes;
        }
    }
    // The figures above reached the arithmetic, not only the parsers' refusals.
    EXPECT_GT(knownShares, kRounds / 10);
    EXPECT_GT(knownTimes, kRounds / 10);
}

TEST(ParsersOnGarbage, FirmwareDatesAreReadOnlyWhenEveryPartIsInRange) {
    std::mt19937 random(20261210);
    const auto number = [&random](int lowest, int highest) {
        return std::uniform_int_distribution<int>(lowest, highest)(random);
    };
    int read = 0;
    for (int round = 0; round < kRounds; ++round) {
        const int month = number(0, 13);
        const int day = number(0, 32);
        const int yearDigits = number(1, 5);
        const int year = number(0, 9999) % static_cast<int>(std::pow(10, yearDigits));
        std::string yearText = std::to_string(year);
        yearText.insert(0, static_cast<std::size_t>(yearDigits) - yearText.size(), '0');
        // Firmware writes a month or day with its leading zero or without.
        const auto part = [&number](int value) {
            char text[8];
            std::snprintf(text, sizeof text, number(0, 1) == 1 ? "%02d" : "%d", value);
            return std::string(text);
        };
        const std::string text = part(month) + "/" + part(day) + "/" + yearText;
        SCOPED_TRACE(text);

        const auto date = linux_fs::cimDate(text);
        const bool valid = month >= 1 && month <= 12 && day >= 1 && day <= 31 &&
                           (yearDigits == 2 || yearDigits == 4);
        ASSERT_EQ(date.has_value(), valid);
        if (!date) continue;
        ++read;
        const int fullYear = yearDigits == 4 ? year : year + (year >= 69 ? 1900 : 2000);
        char expected[16];
        std::snprintf(expected, sizeof expected, "%04d%02d%02d", fullYear, month, day);
        EXPECT_EQ(*date, std::string(expected) + "000000.000000+000");
    }
    EXPECT_GT(read, kRounds / 10);
}

}  // namespace
}  // namespace zarnel
