#include "platform/linux/power_supply.h"

#include <algorithm>
#include <array>
#include <limits>
#include <vector>

#include "platform/text_fields.h"

namespace zarnel::linux_fs {
namespace {

// No battery holds a megawatt-hour: a larger reading is garbage, not a battery.
constexpr std::int64_t kMaxReading = 1'000'000'000'000;
constexpr std::int64_t kFullPercent = 100;
constexpr std::int64_t kSecondsPerHour = 3600;
constexpr std::int64_t kOnlineProgrammable = 2;

// Windows' thresholds for the battery flag bits.
constexpr std::int64_t kHighAbove = 66;
constexpr std::int64_t kLowBelow = 33;
constexpr std::int64_t kCriticalBelow = 5;

using namespace power_status;

std::string word(const SupplyAttributes& attributes, std::string_view name) {
    const auto found = attributes.find(name);
    return found == attributes.end() ? std::string() : std::string(trimmed(found->second));
}

std::optional<std::int64_t> reading(const SupplyAttributes& attributes, std::string_view name,
                                    std::int64_t max = kMaxReading, std::int64_t min = 0) {
    const auto value = wholeNumber<std::int64_t>(word(attributes, name));
    if (!value || *value < min || *value > max) return {};
    return value;
}

std::optional<bool> flag(const SupplyAttributes& attributes, std::string_view name) {
    const auto value = reading(attributes, name, 1);
    if (!value) return {};
    return *value == 1;
}

// An adapter's "online" is 1 at a fixed voltage and 2 when it negotiates its voltage (a USB-C
// charger under power delivery): both power the machine.
std::optional<bool> online(const SupplyAttributes& attributes) {
    const auto value = reading(attributes, "online", kOnlineProgrammable);
    if (!value) return {};
    return *value != 0;
}

// A battery's drain, whichever sign its gauge gives it: the kernel's convention is negative
// while discharging, and older gauges report it positive.
std::optional<std::int64_t> drain(const SupplyAttributes& attributes, std::string_view name) {
    const auto value = reading(attributes, name, kMaxReading, -kMaxReading);
    if (!value) return {};
    return *value < 0 ? -*value : *value;
}

bool isMainsType(std::string_view type) {
    return type == "Mains" || type.starts_with("USB");
}

bool isMains(const PowerSupply& supply) {
    return isMainsType(supply.type);
}

// Peripherals (a wireless mouse) report their own batteries with scope "Device".
constexpr std::string_view kPeripheralScope = "Device";

bool isSystemBattery(const PowerSupply& supply) {
    return supply.type == "Battery" && supply.scope != kPeripheralScope && supply.present != false;
}

// The battery's voltage in µV, to turn its charge into energy: its design's least, which its
// energy figures are reckoned at, else the voltage now.
std::optional<std::int64_t> voltage(const SupplyAttributes& attributes) {
    if (auto design = reading(attributes, "voltage_min_design"); design && *design > 0)
        return design;
    if (auto now = reading(attributes, "voltage_now"); now && *now > 0) return now;
    return {};
}

// µAh or µA at `microvolts`, as µWh or µW; nothing where either is unknown or the product
// is beyond any battery.
std::optional<std::int64_t> atVoltage(std::optional<std::int64_t> charge,
                                      std::optional<std::int64_t> microvolts) {
    constexpr std::int64_t kMicrovoltsPerVolt = 1'000'000;
    std::int64_t product = 0;
    if (!charge || !microvolts || __builtin_mul_overflow(*charge, *microvolts, &product)) return {};
    const std::int64_t energy = product / kMicrovoltsPerVolt;
    if (energy > kMaxReading) return {};
    return energy;
}

using Field = std::optional<std::int64_t> PowerSupply::*;

// The sum of a field over the batteries, or nothing when one of them lacks it.
std::optional<std::int64_t> sum(std::span<const PowerSupply> batteries, Field field) {
    std::int64_t total = 0;
    for (const PowerSupply& battery : batteries) {
        if (!(battery.*field)) return {};
        total += *(battery.*field);
    }
    return total;
}

// The batteries' drain together. One that is not discharging may give no reading (firmware
// reports an idle battery's rate as unknown): it draws nothing.
std::optional<std::int64_t> drainSum(std::span<const PowerSupply> batteries, Field drain) {
    std::int64_t total = 0;
    for (const PowerSupply& battery : batteries) {
        if (battery.*drain) {
            total += *(battery.*drain);
        } else if (battery.status == "Discharging") {
            return {};
        }
    }
    return total;
}

// A gauge whose full charge reads 0 is out of order: with it in a sum, the other batteries'
// full charges would be set against every battery's stored charge.
bool anyFullReadsZero(std::span<const PowerSupply> batteries, Field full) {
    return std::ranges::any_of(batteries, [&](const PowerSupply& b) { return b.*full == 0; });
}

std::optional<std::int64_t> roundedRatio(std::optional<std::int64_t> part,
                                         std::optional<std::int64_t> whole, std::int64_t scale) {
    if (!part || !whole || *whole == 0) return {};
    return (*part * scale + *whole / 2) / *whole;
}

// What one kind of gauge reads: what is stored, what a full charge holds, and the drain.
struct Gauge {
    Field now;
    Field full;
    Field drain;
};
// The energy gauge first: it counts what the battery holds whatever its voltage.
constexpr std::array<Gauge, 2> kGauges = {
    {{&PowerSupply::energyNow, &PowerSupply::energyFull, &PowerSupply::powerNow},
     {&PowerSupply::chargeNow, &PowerSupply::chargeFull, &PowerSupply::currentNow}}};

std::optional<std::int64_t> percent(std::span<const PowerSupply> batteries) {
    std::optional<std::int64_t> ratio;
    for (const Gauge& gauge : kGauges) {
        if (anyFullReadsZero(batteries, gauge.full)) continue;
        ratio = roundedRatio(sum(batteries, gauge.now), sum(batteries, gauge.full), kFullPercent);
        if (ratio) break;
    }
    if (!ratio) {
        // Their mean, rounded as the ratios above are.
        ratio = roundedRatio(sum(batteries, &PowerSupply::capacity),
                             static_cast<std::int64_t>(batteries.size()), 1);
    }
    // A worn battery's charge may read a little above its last full charge.
    if (ratio) ratio = std::min(*ratio, kFullPercent);
    return ratio;
}

// How long, in seconds, the stored charge and a full charge last at the present drain.
struct Runtimes {
    std::optional<std::int64_t> left;
    std::optional<std::int64_t> full;
};

// From the energy gauge, else the charge gauge. A gauge without a drain, or with a full charge
// that reads 0, is out of order and says nothing; a worn battery's charge above its last full
// charge lasts as long as a full one.
Runtimes runtimesAtDrain(std::span<const PowerSupply> batteries) {
    for (const Gauge& gauge : kGauges) {
        const auto drain = drainSum(batteries, gauge.drain);
        if (!drain || *drain == 0 || anyFullReadsZero(batteries, gauge.full)) continue;
        const auto full = sum(batteries, gauge.full);
        auto now = sum(batteries, gauge.now);
        if (now && full) now = std::min(*now, *full);
        if (!now && !full) continue;
        return {roundedRatio(now, drain, kSecondsPerHour),
                roundedRatio(full, drain, kSecondsPerHour)};
    }
    return {};
}

std::int32_t seconds(std::optional<std::int64_t> value) {
    if (!value || *value > std::numeric_limits<std::int32_t>::max()) return kUnknownSeconds;
    return static_cast<std::int32_t>(*value);
}

std::uint8_t acLineStatus(std::span<const PowerSupply> supplies,
                          std::span<const PowerSupply> batteries) {
    // A machine without a battery runs on mains, whatever an empty charging port says.
    if (batteries.empty()) return kOnline;
    bool anyMains = false;
    bool unknownMains = false;
    for (const PowerSupply& supply : supplies) {
        if (!isMains(supply) || supply.scope == "Device") continue;
        anyMains = true;
        if (supply.online == true) return kOnline;
        unknownMains |= !supply.online.has_value();
    }
    if (unknownMains) return kUnknown;
    if (anyMains) return kOffline;
    // No adapter listed: the batteries say how they are being used.
    const auto has = [&](std::string_view status) {
        return std::ranges::any_of(batteries, [&](const auto& b) { return b.status == status; });
    };
    if (has("Discharging")) return kOffline;
    if (has("Charging") || has("Full") || has("Not charging")) return kOnline;
    return kUnknown;
}

std::uint8_t batteryFlag(std::int64_t percent, bool charging) {
    std::uint8_t flag = 0;
    if (percent > kHighAbove) flag |= kHigh;
    if (percent < kLowBelow) flag |= kLow;
    if (percent < kCriticalBelow) flag |= kCritical;
    if (charging) flag |= kCharging;
    return flag;
}

}  // namespace

bool mayPowerTheMachine(const SupplyAttributes& kind) {
    const std::string type = word(kind, "type");
    return word(kind, "scope") != kPeripheralScope && (type == "Battery" || isMainsType(type));
}

PowerSupply parsePowerSupply(const SupplyAttributes& attributes) {
    PowerSupply supply{
        .type = word(attributes, "type"),
        .scope = word(attributes, "scope"),
        .status = word(attributes, "status"),
        .present = flag(attributes, "present"),
        .online = online(attributes),
        .capacity = reading(attributes, "capacity", kFullPercent),
        .energyNow = reading(attributes, "energy_now"),
        .energyFull = reading(attributes, "energy_full"),
        .powerNow = drain(attributes, "power_now"),
        .chargeNow = reading(attributes, "charge_now"),
        .chargeFull = reading(attributes, "charge_full"),
        .currentNow = drain(attributes, "current_now"),
        .timeToEmpty = reading(attributes, "time_to_empty_now"),
    };
    // Only a gauge that counts no energy at all: some (TI's bq27xxx) give the energy stored but
    // only the charge of a full battery, and the two figures reckoned apart do not agree.
    if (!supply.energyNow && !supply.energyFull) {
        const auto microvolts = voltage(attributes);
        supply.energyNow = atVoltage(supply.chargeNow, microvolts);
        supply.energyFull = atVoltage(supply.chargeFull, microvolts);
        if (!supply.powerNow) supply.powerNow = atVoltage(supply.currentNow, microvolts);
    }
    return supply;
}

SystemPowerStatus powerStatus(std::span<const PowerSupply> supplies) {
    std::vector<PowerSupply> batteries;
    std::ranges::copy_if(supplies, std::back_inserter(batteries), isSystemBattery);
    SystemPowerStatus status{
        .ACLineStatus = acLineStatus(supplies, batteries),
        .BatteryFlag = kNoBattery,
        .BatteryLifePercent = kUnknown,
        .SystemStatusFlag = 0,
        .BatteryLifeTime = kUnknownSeconds,
        .BatteryFullLifeTime = kUnknownSeconds,
    };
    if (batteries.empty()) return status;

    const auto charge = percent(batteries);
    const bool charging =
        std::ranges::any_of(batteries, [](const PowerSupply& b) { return b.status == "Charging"; });
    status.BatteryFlag = charge ? batteryFlag(*charge, charging) : kUnknown;
    status.BatteryLifePercent = charge ? static_cast<std::uint8_t>(*charge) : kUnknown;
    // Like Windows, the times are known only while the machine runs on its batteries.
    if (status.ACLineStatus == kOffline) {
        Runtimes runtimes = runtimesAtDrain(batteries);
        // A lone battery's own estimate, averaged over time, is the better one; a gauge that
        // reads 0 while the battery still holds charge has none.
        const auto own = batteries.size() == 1 ? batteries.front().timeToEmpty : std::nullopt;
        if (own && *own > 0) {
            runtimes.left = runtimes.full ? std::min(*own, *runtimes.full) : *own;
        }
        status.BatteryLifeTime = seconds(runtimes.left);
        status.BatteryFullLifeTime = seconds(runtimes.full);
    }
    return status;
}

}  // namespace zarnel::linux_fs
