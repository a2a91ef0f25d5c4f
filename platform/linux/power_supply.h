// sys/class/power_supply: the mains adapters and batteries the kernel knows, and the
// power record they add up to.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace zarnel::linux_fs {

// What a supply is, read before anything else of it: a peripheral's battery (a mouse, a
// headset) is not the machine's, and reading its charge may make the kernel ask the device
// itself, which holds the read for seconds when the device does not answer.
inline constexpr std::string_view kSupplyKindAttributes[] = {"type", "scope"};
// The other attribute files the power record needs, of the machine's own supplies.
inline constexpr std::string_view kPowerSupplyAttributes[] = {
    "present",
    "online",
    "status",
    "capacity",
    "energy_now",
    "energy_full",
    "power_now",
    "charge_now",
    "charge_full",
    "current_now",
    "time_to_empty_now",
    "voltage_min_design",
    "voltage_now",
};

// Attribute name -> file text, for the attributes that could be read.
using SupplyAttributes = std::map<std::string, std::string, std::less<>>;

// Whether a supply of this type and scope (kSupplyKindAttributes) may power the machine: a
// mains adapter or a battery of its own.
bool mayPowerTheMachine(const SupplyAttributes& kind);

// One supply. Energies in µWh, power in µW, charges in µAh, currents in µA, time in seconds;
// a missing, malformed, negative or implausible value is left empty. Power and current are
// the drain's size, whichever sign the gauge reports. A battery whose gauge counts charge
// also has its energy and power, where it tells its voltage: two batteries whose gauges count
// differently are then added together.
struct PowerSupply {
    std::string type;    // "Mains", "USB", "Battery", ...
    std::string scope;   // "Device" for a peripheral's own battery
    std::string status;  // "Charging", "Discharging", "Full", "Not charging", "Unknown"
    std::optional<bool> present;
    std::optional<bool> online;
    std::optional<std::int64_t> capacity;  // percent, 0 to 100
    std::optional<std::int64_t> energyNow;
    std::optional<std::int64_t> energyFull;
    std::optional<std::int64_t> powerNow;
    std::optional<std::int64_t> chargeNow;
    std::optional<std::int64_t> chargeFull;
    std::optional<std::int64_t> currentNow;
    std::optional<std::int64_t> timeToEmpty;
};

PowerSupply parsePowerSupply(const SupplyAttributes& attributes);

// The machine's power record: mains state, then the system batteries added together.
SystemPowerStatus powerStatus(std::span<const PowerSupply> supplies);

}  // namespace zarnel::linux_fs
