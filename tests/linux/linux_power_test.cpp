// The Linux power record: machine trees through the provider and the power step, and the
// parser and sum on their own for the values no tree should need.
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>

#include "platform/linux/linux_platform.h"
#include "platform/linux/power_supply.h"
#include "probes/power.h"
#include "tests/support/recording_controls.h"
#include "tests/support/scratch_machine.h"

namespace zarnel {
namespace {

using linux_fs::PowerSupply;
using testing::RecordingControls;

struct PowerMachine {
    std::string_view machine;
    SystemPowerStatus record;
    std::vector<std::string_view> texts;  // Text3 to Text7
};

class LinuxPower : public ::testing::TestWithParam<PowerMachine> {};

TEST_P(LinuxPower, RecordAndFields) {
    const PowerMachine& expected = GetParam();
    LinuxPlatform platform(std::filesystem::path(ZARNEL_FIXTURES_DIR) / expected.machine);
    SystemPowerStatus status;
    EXPECT_EQ(platform.getSystemPowerStatus(status), 1);
    EXPECT_EQ(platform.lastError(), 0U);
    EXPECT_EQ(status.ACLineStatus, expected.record.ACLineStatus);
    EXPECT_EQ(status.BatteryFlag, expected.record.BatteryFlag);
    EXPECT_EQ(status.BatteryLifePercent, expected.record.BatteryLifePercent);
    EXPECT_EQ(status.BatteryLifeTime, expected.record.BatteryLifeTime);
    EXPECT_EQ(status.BatteryFullLifeTime, expected.record.BatteryFullLifeTime);

    RecordingControls controls;
    ASSERT_EQ(PowerStatus(controls, platform), PowerOutcome::Shown);
    const std::vector<std::string> shown = {controls.text(Ctl::Text3), controls.text(Ctl::Text4),
                                            controls.text(Ctl::Text5), controls.text(Ctl::Text6),
                                            controls.text(Ctl::Text7)};
    EXPECT_EQ(shown, std::vector<std::string>(expected.texts.begin(), expected.texts.end()));
}

constexpr SystemPowerStatus kDesktop = {.ACLineStatus = 1,
                                        .BatteryFlag = 128,
                                        .BatteryLifePercent = 255,
                                        .BatteryLifeTime = -1,
                                        .BatteryFullLifeTime = -1};
const std::vector<std::string_view> kDesktopTexts = {"ＡＣ電源", "バッテリなし", "不明", "不明",
                                                     "不明"};

INSTANTIATE_TEST_SUITE_P(
    Fixtures, LinuxPower,
    ::testing::Values(
        // 18 of 60 Wh at 10 W: 30 %, 6480 s left, 21600 s when full. BAT0's own time to
        // empty (2880 s) would ignore the bay battery.
        PowerMachine{"laptop-two-batteries-discharging",
                     {.ACLineStatus = 0,
                      .BatteryFlag = 2,
                      .BatteryLifePercent = 30,
                      .BatteryLifeTime = 6480,
                      .BatteryFullLifeTime = 21600},
                     {"ＤＣ電源", "少い", "残存30％", "6480秒", "21600秒"}},
        // High and charging together: a combination the window shows as unknown.
        PowerMachine{"laptop-charging-high-charge",
                     {.ACLineStatus = 1,
                      .BatteryFlag = 9,
                      .BatteryLifePercent = 80,
                      .BatteryLifeTime = -1,
                      .BatteryFullLifeTime = -1},
                     {"ＡＣ電源", "不明", "残存80％", "不明", "不明"}},
        PowerMachine{"laptop-on-ac-full",
                     {.ACLineStatus = 1,
                      .BatteryFlag = 1,
                      .BatteryLifePercent = 100,
                      .BatteryLifeTime = -1,
                      .BatteryFullLifeTime = -1},
                     {"ＡＣ電源", "多い", "残存100％", "不明", "不明"}},
        PowerMachine{"desktop-no-battery", kDesktop, kDesktopTexts},
        PowerMachine{"desktop-wireless-mouse-battery", kDesktop, kDesktopTexts},
        PowerMachine{"two-socket-server", kDesktop, kDesktopTexts},
        PowerMachine{"arm-board-no-dmi", kDesktop, kDesktopTexts},
        PowerMachine{"vm-no-dmi", kDesktop, kDesktopTexts},
        PowerMachine{"no-such-machine", kDesktop, kDesktopTexts},
        // Adapter state "yes", capacities "abc" and 150, negative and overflowing energies,
        // a folder for power_now: every reading unknown, nothing crashes.
        PowerMachine{"laptop-malformed-sysfs",
                     {.ACLineStatus = 255,
                      .BatteryFlag = 255,
                      .BatteryLifePercent = 255,
                      .BatteryLifeTime = -1,
                      .BatteryFullLifeTime = -1},
                     {"不明", "不明", "不明", "不明", "不明"}}),
    [](const auto& row) {
        std::string name(row.param.machine);
        std::replace(name.begin(), name.end(), '-', '_');
        return name;
    });

struct ReadingRow {
    std::string_view text;
    std::optional<std::int64_t> capacity;
    std::optional<std::int64_t> energy;
};

class SupplyReading : public ::testing::TestWithParam<ReadingRow> {};

TEST_P(SupplyReading, BadValuesReadAsUnknown) {
    const PowerSupply supply = linux_fs::parsePowerSupply(
        {{"capacity", std::string(GetParam().text)}, {"energy_now", std::string(GetParam().text)}});
    EXPECT_EQ(supply.capacity, GetParam().capacity);
    EXPECT_EQ(supply.energyNow, GetParam().energy);
}

INSTANTIATE_TEST_SUITE_P(
    Values, SupplyReading,
    ::testing::Values(ReadingRow{"42\n", 42, 42}, ReadingRow{" 0 \n", 0, 0},
                      ReadingRow{"100", 100, 100}, ReadingRow{"101", std::nullopt, 101},
                      ReadingRow{"-1", std::nullopt, std::nullopt},
                      ReadingRow{"abc", std::nullopt, std::nullopt},
                      ReadingRow{"12abc", std::nullopt, std::nullopt},
                      ReadingRow{"4.5", std::nullopt, std::nullopt},
                      ReadingRow{"", std::nullopt, std::nullopt},
                      ReadingRow{"1000000000001", std::nullopt, std::nullopt},
                      ReadingRow{"99999999999999999999999", std::nullopt, std::nullopt}));

// What kernel drivers write beyond 0/1 flags and positive readings: a USB-C charger that
// negotiates its voltage is online as 2, and a gauge following the kernel's sign convention
// reports its drain negative while discharging.
TEST(SupplyReading, ChargersAndGaugesAsTheKernelDocumentsThem) {
    const auto onlineAs = [](std::string text) {
        return linux_fs::parsePowerSupply({{"online", std::move(text)}}).online;
    };
    EXPECT_EQ(onlineAs("0"), false);
    EXPECT_EQ(onlineAs("1"), true);
    EXPECT_EQ(onlineAs("2\n"), true);
    EXPECT_EQ(onlineAs("3"), std::nullopt);
    EXPECT_EQ(onlineAs("-1"), std::nullopt);

    const PowerSupply gauge = linux_fs::parsePowerSupply(
        {{"current_now", "-1500000\n"}, {"power_now", "-1000000000001"}});
    EXPECT_EQ(gauge.currentNow, 1'500'000);
    EXPECT_EQ(gauge.powerNow, std::nullopt);

    // A discharging laptop on such a gauge, its USB-C charger unplugged: the times are known.
    const std::vector<PowerSupply> unplugged = {
        linux_fs::parsePowerSupply({{"type", "USB"}, {"online", "0"}}),
        linux_fs::parsePowerSupply({{"type", "Battery"},
                                    {"status", "Discharging"},
                                    {"charge_now", "2000000"},
                                    {"charge_full", "4000000"},
                                    {"current_now", "-1000000"}})};
    const SystemPowerStatus onBattery = linux_fs::powerStatus(unplugged);
    EXPECT_EQ(onBattery.ACLineStatus, 0);
    EXPECT_EQ(onBattery.BatteryLifePercent, 50);
    EXPECT_EQ(onBattery.BatteryLifeTime, 7200);
    EXPECT_EQ(onBattery.BatteryFullLifeTime, 14400);

    // Plugged in again, under power delivery.
    const std::vector<PowerSupply> charging = {
        linux_fs::parsePowerSupply({{"type", "USB"}, {"online", "2"}}),
        linux_fs::parsePowerSupply({{"type", "USB"}, {"online", "0"}}),
        linux_fs::parsePowerSupply(
            {{"type", "Battery"}, {"status", "Charging"}, {"capacity", "50"}})};
    EXPECT_EQ(linux_fs::powerStatus(charging).ACLineStatus, 1);
}

// A machine that lists no adapter (some tablets, firmware without one): its battery says how
// it is used, and a lone battery's own estimate is all there is to time it by.
TEST(SupplyReading, WithNoAdapterListedTheBatteryTells) {
    const std::vector<PowerSupply> heldAtALimit = {linux_fs::parsePowerSupply(
        {{"type", "Battery"}, {"status", "Not charging"}, {"capacity", "80"}})};
    EXPECT_EQ(linux_fs::powerStatus(heldAtALimit).ACLineStatus, 1);
    EXPECT_EQ(linux_fs::powerStatus(heldAtALimit).BatteryLifePercent, 80);

    const std::vector<PowerSupply> noGauge = {
        linux_fs::parsePowerSupply({{"type", "Battery"},
                                    {"status", "Discharging"},
                                    {"capacity", "40"},
                                    {"time_to_empty_now", "5400"}})};
    const SystemPowerStatus status = linux_fs::powerStatus(noGauge);
    EXPECT_EQ(status.ACLineStatus, 0);
    EXPECT_EQ(status.BatteryLifeTime, 5400);
    EXPECT_EQ(status.BatteryFullLifeTime, -1);
}

// A second battery whose gauge counts charge, beside one counting energy (a maker's battery and
// another's, or a dead one that gives no energy figures): at its voltage the two add up.
TEST(SupplyReading, BatteriesCountingEnergyAndChargeAddUp) {
    const PowerSupply adapter = linux_fs::parsePowerSupply({{"type", "Mains"}, {"online", "0"}});
    const PowerSupply energy = linux_fs::parsePowerSupply({{"type", "Battery"},
                                                           {"status", "Discharging"},
                                                           {"energy_now", "8000000"},
                                                           {"energy_full", "40000000"},
                                                           {"power_now", "10000000"}});
    const auto chargeBattery = [](std::string_view voltageFile, std::string microvolts) {
        return linux_fs::parsePowerSupply({{"type", "Battery"},
                                           {"status", "Full"},
                                           {"charge_now", "2000000"},
                                           {"charge_full", "2000000"},
                                           {std::string(voltageFile), std::move(microvolts)}});
    };
    for (const std::string_view voltageFile : {"voltage_min_design", "voltage_now"}) {
        const std::vector<PowerSupply> supplies = {adapter, energy,
                                                   chargeBattery(voltageFile, "11100000")};
        const SystemPowerStatus status = linux_fs::powerStatus(supplies);
        // 30.2 of 62.2 Wh, drawn at 10 W.
        EXPECT_EQ(status.BatteryLifePercent, 49) << voltageFile;
        EXPECT_EQ(status.BatteryLifeTime, 10872) << voltageFile;
        EXPECT_EQ(status.BatteryFullLifeTime, 22392) << voltageFile;
    }
    // A gauge that counts the energy stored but only the charge of a full battery is read by
    // its charge alone: the two reckoned apart would not agree.
    const std::vector<PowerSupply> halfEnergy = {
        linux_fs::parsePowerSupply({{"type", "Battery"},
                                    {"status", "Charging"},
                                    {"charge_now", "2300000"},
                                    {"charge_full", "2400000"},
                                    {"energy_now", "8740000"},
                                    {"voltage_now", "4150000"}})};
    EXPECT_EQ(linux_fs::powerStatus(halfEnergy).BatteryLifePercent, 96);

    // Without a voltage, or with one beyond any battery, the charge cannot become energy.
    for (const std::string microvolts : {"0", "1000000000000"}) {
        const PowerSupply unknown = chargeBattery("voltage_now", microvolts);
        EXPECT_EQ(unknown.energyNow, std::nullopt) << microvolts;
        const PowerSupply huge = linux_fs::parsePowerSupply(
            {{"charge_now", "1000000000000"}, {"voltage_now", microvolts}});
        EXPECT_EQ(huge.energyNow, std::nullopt) << microvolts;
    }
}

// Only a mains adapter or a battery of the machine's own is read beyond what it is: reading a
// wireless mouse's charge may make the kernel ask the mouse, which may not answer for seconds.
TEST(SupplyReading, OnlyTheMachinesOwnSuppliesAreReadFurther) {
    LinuxPlatform platform(std::filesystem::path(ZARNEL_FIXTURES_DIR) /
                           "desktop-wireless-mouse-battery");
    std::vector<std::string> read;
    platform.powerSupplyFile = [&read](const std::filesystem::path& folder, std::string_view name) {
        read.push_back(folder.filename().string() + "/" + std::string(name));
        return LinuxPlatform::readSupplyFile(folder, name);
    };
    SystemPowerStatus status{};
    ASSERT_EQ(platform.getSystemPowerStatus(status), 1);
    EXPECT_EQ(read, (std::vector<std::string>{"hidpp_battery_0/type", "hidpp_battery_0/scope"}));
    EXPECT_EQ(status.BatteryFlag, power_status::kNoBattery);

    const auto readFurther = [](std::string type, std::string scope) {
        linux_fs::SupplyAttributes kind{{"type", std::move(type)}};
        if (!scope.empty()) kind.emplace("scope", std::move(scope));
        return linux_fs::mayPowerTheMachine(kind);
    };
    EXPECT_TRUE(readFurther("Battery", ""));
    EXPECT_TRUE(readFurther("Battery\n", "System\n"));
    EXPECT_TRUE(readFurther("Mains", ""));
    EXPECT_TRUE(readFurther("USB", ""));
    EXPECT_FALSE(readFurther("USB", "Device"));
    EXPECT_FALSE(readFurther("UPS", ""));
    EXPECT_FALSE(readFurther("Wireless", ""));
}

// What a battery's gauge counts: energy (µWh, µW) or charge (µAh, µA).
enum class Gauge { Energy, Charge };

PowerSupply battery(std::int64_t now, std::int64_t full, std::int64_t drain,
                    Gauge gauge = Gauge::Energy) {
    PowerSupply supply;
    supply.type = "Battery";
    supply.status = "Discharging";
    supply.present = true;
    const bool energy = gauge == Gauge::Energy;
    (energy ? supply.energyNow : supply.chargeNow) = now;
    (energy ? supply.energyFull : supply.chargeFull) = full;
    (energy ? supply.powerNow : supply.currentNow) = drain;
    return supply;
}

PowerSupply batteryAt(std::int64_t capacity, std::string status) {
    PowerSupply supply;
    supply.type = "Battery";
    supply.status = std::move(status);
    supply.capacity = capacity;
    return supply;
}

// A battery whose gauge also tells the time left, in seconds.
PowerSupply tellingItsTime(PowerSupply supply, std::int64_t secondsLeft) {
    supply.timeToEmpty = secondsLeft;
    return supply;
}

PowerSupply adapter(std::string type, bool online) {
    PowerSupply supply;
    supply.type = std::move(type);
    supply.online = online;
    return supply;
}

const PowerSupply kAdapterOff = adapter("Mains", false);

struct SumRow {
    std::string_view name;
    std::vector<PowerSupply> supplies;
    SystemPowerStatus expected;
};

class PowerSum : public ::testing::TestWithParam<SumRow> {};

TEST_P(PowerSum, AddsTheSystemBatteries) {
    const SystemPowerStatus status = linux_fs::powerStatus(GetParam().supplies);
    const SystemPowerStatus& expected = GetParam().expected;
    EXPECT_EQ(status.ACLineStatus, expected.ACLineStatus);
    EXPECT_EQ(status.BatteryFlag, expected.BatteryFlag);
    EXPECT_EQ(status.BatteryLifePercent, expected.BatteryLifePercent);
    EXPECT_EQ(status.BatteryLifeTime, expected.BatteryLifeTime);
    EXPECT_EQ(status.BatteryFullLifeTime, expected.BatteryFullLifeTime);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PowerSum,
    ::testing::Values(
        // Below 5 % the low and critical bits are both set, as Windows sets them.
        SumRow{"Critical",
               {kAdapterOff, battery(3, 100, 36)},
               {.ACLineStatus = 0,
                .BatteryFlag = 6,
                .BatteryLifePercent = 3,
                .BatteryLifeTime = 300,
                .BatteryFullLifeTime = 10000}},
        SumRow{"Middle",
               {kAdapterOff, battery(50, 100, 0)},
               {.ACLineStatus = 0,
                .BatteryFlag = 0,
                .BatteryLifePercent = 50,
                .BatteryLifeTime = -1,
                .BatteryFullLifeTime = -1}},
        SumRow{"OneBatteryTellsItsOwnTime",
               {kAdapterOff, tellingItsTime(battery(70, 100, 10), 1234)},
               {.ACLineStatus = 0,
                .BatteryFlag = 1,
                .BatteryLifePercent = 70,
                .BatteryLifeTime = 1234,
                .BatteryFullLifeTime = 36000}},
        // The gauge's averaged estimate outlasting a full charge at the present drain (a
        // moment of heavy load) is cut to the full charge: never more left than when full.
        SumRow{"OwnTimeBeyondAFullChargeIsCutToIt",
               {kAdapterOff, tellingItsTime(battery(70, 100, 10), 40000)},
               {.ACLineStatus = 0,
                .BatteryFlag = 1,
                .BatteryLifePercent = 70,
                .BatteryLifeTime = 36000,
                .BatteryFullLifeTime = 36000}},
        // Kernels before 5.x typed a USB-C charger USB_C or USB_PD; one online powers the
        // machine though the barrel jack's adapter is off.
        SumRow{"OlderUsbChargerTypesAreAdapters",
               {kAdapterOff, adapter("USB_PD", true),
                [] {
                    PowerSupply b = battery(50, 100, 0);
                    b.status = "Charging";
                    return b;
                }()},
               {.ACLineStatus = 1,
                .BatteryFlag = 8,
                .BatteryLifePercent = 50,
                .BatteryLifeTime = -1,
                .BatteryFullLifeTime = -1}},
        // The gauge's own 0 is no estimate while the battery still holds charge.
        SumRow{"OneBatteryTellingZeroTellsNothing",
               {kAdapterOff, tellingItsTime(battery(30, 50, 10), 0)},
               {.ACLineStatus = 0,
                .BatteryFlag = 0,
                .BatteryLifePercent = 60,
                .BatteryLifeTime = 10800,
                .BatteryFullLifeTime = 18000}},
        // A worn battery reads a little above its last full charge: it lasts no longer than
        // a full one.
        SumRow{"AboveItsFullChargeLastsAsLongAsAFullOne",
               {kAdapterOff, battery(52, 50, 10)},
               {.ACLineStatus = 0,
                .BatteryFlag = 1,
                .BatteryLifePercent = 100,
                .BatteryLifeTime = 18000,
                .BatteryFullLifeTime = 18000}},
        // A gauge whose full charge reads 0 is out of order: the capacity tells the level, and
        // no time is told, rather than none at all.
        SumRow{"AGaugeWithoutAFullChargeTellsNoTime",
               {kAdapterOff,
                [] {
                    PowerSupply b = battery(0, 0, 10);
                    b.capacity = 60;
                    return b;
                }()},
               {.ACLineStatus = 0,
                .BatteryFlag = 0,
                .BatteryLifePercent = 60,
                .BatteryLifeTime = -1,
                .BatteryFullLifeTime = -1}},
        // One of two gauges out of order: the other's full charge against both batteries'
        // stored charge would read 50 % and a full charge lasting as long as the one battery's.
        SumRow{"OneOfTwoGaugesWithoutAFullChargeTellsNothing",
               {kAdapterOff, battery(12, 60, 10), battery(18, 0, 0)},
               {.ACLineStatus = 0,
                .BatteryFlag = 255,
                .BatteryLifePercent = 255,
                .BatteryLifeTime = -1,
                .BatteryFullLifeTime = -1}},
        SumRow{"NoAdapterListedButDischarging",
               {battery(20, 100, 10)},
               {.ACLineStatus = 0,
                .BatteryFlag = 2,
                .BatteryLifePercent = 20,
                .BatteryLifeTime = 7200,
                .BatteryFullLifeTime = 36000}},
        SumRow{"EmptyBayIgnored",
               {kAdapterOff,
                [] {
                    PowerSupply bay = batteryAt(0, "Unknown");
                    bay.present = false;
                    return bay;
                }(),
                battery(90, 100, 100)},
               {.ACLineStatus = 0,
                .BatteryFlag = 1,
                .BatteryLifePercent = 90,
                .BatteryLifeTime = 3240,
                .BatteryFullLifeTime = 3600}},
        SumRow{"CapacitiesWhenNoEnergyOrCharge",
               {adapter("Mains", true), batteryAt(40, "Charging"), batteryAt(100, "Full")},
               {.ACLineStatus = 1,
                .BatteryFlag = 1 | 8,
                .BatteryLifePercent = 70,
                .BatteryLifeTime = -1,
                .BatteryFullLifeTime = -1}},
        // Rounded as the energy and charge ratios are, not cut down.
        SumRow{"CapacitiesMeanRounded",
               {adapter("Mains", true), batteryAt(41, "Charging"), batteryAt(40, "Charging")},
               {.ACLineStatus = 1,
                .BatteryFlag = 8,
                .BatteryLifePercent = 41,
                .BatteryLifeTime = -1,
                .BatteryFullLifeTime = -1}},
        // A drain of years does not fit the record's seconds.
        SumRow{"TimeBeyondTheRecord",
               {kAdapterOff, battery(1'000'000'000'000, 1'000'000'000'000, 1)},
               {.ACLineStatus = 0,
                .BatteryFlag = 1,
                .BatteryLifePercent = 100,
                .BatteryLifeTime = -1,
                .BatteryFullLifeTime = -1}},
        SumRow{"AnyAdapterOnlineIsMains",
               {kAdapterOff, adapter("USB", true)},
               {.ACLineStatus = 1,
                .BatteryFlag = 128,
                .BatteryLifePercent = 255,
                .BatteryLifeTime = -1,
                .BatteryFullLifeTime = -1}},
        // 1 + 3 of 4 + 4 Ah is half; 4 Ah at 1 A last 4 hours, 8 Ah 8 hours.
        SumRow{"TwoChargeGaugesAdded",
               {kAdapterOff, battery(1'000'000, 4'000'000, 500'000, Gauge::Charge),
                battery(3'000'000, 4'000'000, 500'000, Gauge::Charge)},
               {.ACLineStatus = 0,
                .BatteryFlag = 0,
                .BatteryLifePercent = 50,
                .BatteryLifeTime = 14400,
                .BatteryFullLifeTime = 28800}},
        // A battery at rest may give no drain at all: the one in use tells the time alone.
        SumRow{"AnIdleBatteryWithoutADrain",
               {kAdapterOff, battery(20, 100, 10),
                [] {
                    PowerSupply idle = battery(70, 100, 0);
                    idle.status = "Unknown";
                    idle.powerNow.reset();
                    return idle;
                }()},
               {.ACLineStatus = 0,
                .BatteryFlag = 0,
                .BatteryLifePercent = 45,
                .BatteryLifeTime = 32400,
                .BatteryFullLifeTime = 72000}},
        // The battery in use gives no drain: the idle one's trickle tells nothing.
        SumRow{"TheBatteryInUseWithoutADrain",
               {kAdapterOff,
                [] {
                    PowerSupply inUse = battery(20, 100, 0);
                    inUse.powerNow.reset();
                    return inUse;
                }(),
                [] {
                    PowerSupply idle = battery(70, 100, 1);
                    idle.status = "Unknown";
                    return idle;
                }()},
               {.ACLineStatus = 0,
                .BatteryFlag = 0,
                .BatteryLifePercent = 45,
                .BatteryLifeTime = -1,
                .BatteryFullLifeTime = -1}},
        // A game pad charging in its cradle is no adapter of the laptop's: the laptop still
        // runs on its battery. 50 of 100 at 10 lasts 50 * 3600 / 10 = 18000 s, full 36000 s.
        SumRow{"APeripheralsChargerOnlineIsNotTheAdapter",
               {kAdapterOff,
                [] {
                    PowerSupply cradle = adapter("USB", true);
                    cradle.scope = "Device";
                    return cradle;
                }(),
                battery(50, 100, 10)},
               {.ACLineStatus = 0,
                .BatteryFlag = 0,
                .BatteryLifePercent = 50,
                .BatteryLifeTime = 18000,
                .BatteryFullLifeTime = 36000}},
        // An adapter that cannot say whether it is plugged in leaves the line unknown, and with
        // it the times, which are told only on battery.
        SumRow{"AnAdapterThatCannotSayLeavesTheTimesUnknown",
               {[] {
                    PowerSupply mains = adapter("Mains", false);
                    mains.online.reset();
                    return mains;
                }(),
                battery(50, 100, 10)},
               {.ACLineStatus = 255,
                .BatteryFlag = 0,
                .BatteryLifePercent = 50,
                .BatteryLifeTime = -1,
                .BatteryFullLifeTime = -1}},
        // A desktop's USB-C port with nothing in it: without a battery, the machine is on mains.
        SumRow{"NoBatteryAndAnEmptyChargingPort",
               {adapter("USB", false)},
               {.ACLineStatus = 1,
                .BatteryFlag = 128,
                .BatteryLifePercent = 255,
                .BatteryLifeTime = -1,
                .BatteryFullLifeTime = -1}},
        // A game pad's cradle, unplugged, is not the machine's adapter: the desktop runs on
        // mains.
        SumRow{"APeripheralsChargerIsNotTheAdapter",
               {[] {
                   PowerSupply cradle = adapter("USB", false);
                   cradle.scope = "Device";
                   return cradle;
               }()},
               {.ACLineStatus = 1,
                .BatteryFlag = 128,
                .BatteryLifePercent = 255,
                .BatteryLifeTime = -1,
                .BatteryFullLifeTime = -1}}),
    [](const auto& row) { return std::string(row.param.name); });

// High above 66 %, low below 33 %, critical (with low) below 5 %: each edge belongs to the band
// below it.
TEST(PowerLevels, EachStartsPastItsEdge) {
    const std::pair<std::int64_t, std::uint8_t> kRows[] = {{67, 1}, {66, 0}, {33, 0},
                                                           {32, 2}, {5, 2},  {4, 2 | 4}};
    for (const auto& [percent, flag] : kRows) {
        const SystemPowerStatus status =
            linux_fs::powerStatus(std::vector<PowerSupply>{kAdapterOff, battery(percent, 100, 0)});
        EXPECT_EQ(status.BatteryLifePercent, percent);
        EXPECT_EQ(status.BatteryFlag, flag) << percent << " %";
    }
}

}  // namespace
}  // namespace zarnel

namespace zarnel {
namespace {

// In a child of the test's own, the power is read as a user the permissions bind: root passes
// over them, so the child first gives up that right. (Not by becoming another user: root in a
// container's user namespace may have no other.) Exits 2 where it cannot.
void giveUpPassingOverPermissions() {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    std::array<__user_cap_data_struct, _LINUX_CAPABILITY_U32S_3> rights{};
    if (::syscall(SYS_capget, &header, rights.data()) != 0) _exit(2);
    rights[0].effective &= ~((1U << CAP_DAC_OVERRIDE) | (1U << CAP_DAC_READ_SEARCH));
    if (::syscall(SYS_capset, &header, rights.data()) != 0) _exit(2);
}

// Reads the power folder of `root` as a user who may not list it. Exits 0 when the read failed
// with access denied.
[[noreturn]] void readUnlistablePowerFolder(const std::filesystem::path& root) {
    giveUpPassingOverPermissions();
    LinuxPlatform platform(root);
    SystemPowerStatus status;
    const bool failed = platform.getSystemPowerStatus(status) == 0;
    _exit(failed && platform.lastError() == 5U ? 0 : 1);
}

// Reads the power of `root` as a user who may not read what is refused. Exits 0 when nothing
// of the power is known.
[[noreturn]] void readRefusedSupply(const std::filesystem::path& root) {
    giveUpPassingOverPermissions();
    LinuxPlatform platform(root);
    SystemPowerStatus status;
    const bool known = platform.getSystemPowerStatus(status) == 0 ||
                       status.ACLineStatus != power_status::kUnknown ||
                       status.BatteryFlag != power_status::kUnknown ||
                       status.BatteryLifePercent != power_status::kUnknown;
    _exit(known ? 1 : 0);
}

// A battery whose kind the system refuses to tell (a sandbox's profile guarding sysfs files):
// skipped, the machine would read as on mains with no battery; nothing is known instead.
TEST(LinuxPowerAccess, ASupplyWhoseKindIsRefusedLeavesAllUnknown) {
    const testing::ScratchMachine machine;
    const std::filesystem::path& root = machine.root();
    const std::filesystem::path battery = root / "sys/class/power_supply/BAT0";
    std::filesystem::create_directories(battery);
    std::ofstream(battery / "type") << "Battery\n";
    std::ofstream(battery / "status") << "Discharging\n";
    std::ofstream(battery / "capacity") << "30\n";
    std::filesystem::permissions(battery / "type", std::filesystem::perms::none);
    EXPECT_EXIT(readRefusedSupply(root), ::testing::ExitedWithCode(0), "");
    std::filesystem::permissions(battery / "type", std::filesystem::perms::owner_read);
    EXPECT_EXIT(readRefusedSupply(root), ::testing::ExitedWithCode(1), "") << "a readable kind";
}

TEST(LinuxPowerAccess, FolderThatCannotBeListedIsAFailure) {
    const testing::ScratchMachine machine;
    const std::filesystem::path& root = machine.root();
    const std::filesystem::path folder = root / "sys/class/power_supply";
    std::filesystem::create_directories(folder / "BAT0");
    std::filesystem::permissions(folder, std::filesystem::perms::none);
    EXPECT_EXIT(readUnlistablePowerFolder(root), ::testing::ExitedWithCode(0), "");
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
}

}  // namespace
}  // namespace zarnel
