// sys/class/power_supply: the power record stays within its contract whatever the files say.
#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "platform/linux/power_supply.h"

namespace {

using namespace zarnel;

constexpr std::size_t kKindCount = std::size(linux_fs::kSupplyKindAttributes);
constexpr std::size_t kAttributeCount = kKindCount + std::size(linux_fs::kPowerSupplyAttributes);

std::string_view attributeName(std::size_t i) {
    return i < kKindCount ? linux_fs::kSupplyKindAttributes[i]
                          : linux_fs::kPowerSupplyAttributes[i - kKindCount];
}
constexpr std::uint8_t kFullCharge = 100;
constexpr std::array<std::uint8_t, 3> kAcLineStates = {
    power_status::kOffline, power_status::kOnline, power_status::kUnknown};

}  // namespace

// Parts: the supplies' attribute files in the order of kSupplyKindAttributes and then
// kPowerSupplyAttributes, supply after supply; an empty part is a missing file. A supply that
// cannot power the machine is passed over, as the provider passes it.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto parts = fuzz::partsOf(fuzz::textOf(data, size), kAttributeCount);
    std::vector<linux_fs::PowerSupply> supplies;
    for (std::size_t first = 0; first + kAttributeCount <= parts.size(); first += kAttributeCount) {
        linux_fs::SupplyAttributes attributes;
        for (std::size_t i = 0; i < kAttributeCount; ++i) {
            if (!parts[first + i].empty()) attributes.emplace(attributeName(i), parts[first + i]);
        }
        if (linux_fs::mayPowerTheMachine(attributes))
            supplies.push_back(linux_fs::parsePowerSupply(attributes));
    }
    const SystemPowerStatus status = linux_fs::powerStatus(supplies);
    fuzz::require(std::find(kAcLineStates.begin(), kAcLineStates.end(), status.ACLineStatus) !=
                  kAcLineStates.end());
    fuzz::require(status.BatteryLifePercent <= kFullCharge ||
                  status.BatteryLifePercent == power_status::kUnknown);
    for (const std::int32_t seconds : {status.BatteryLifeTime, status.BatteryFullLifeTime}) {
        fuzz::require(seconds >= 0 || seconds == power_status::kUnknownSeconds);
    }
    // What is left never outlasts a full charge.
    if (status.BatteryLifeTime != power_status::kUnknownSeconds &&
        status.BatteryFullLifeTime != power_status::kUnknownSeconds) {
        fuzz::require(status.BatteryLifeTime <= status.BatteryFullLifeTime);
    }
    // Without a battery the machine runs on mains, whatever its adapters say.
    if (status.BatteryFlag == power_status::kNoBattery) {
        fuzz::require(status.ACLineStatus == power_status::kOnline);
        fuzz::require(status.BatteryLifePercent == power_status::kUnknown);
        fuzz::require(status.BatteryLifeTime == power_status::kUnknownSeconds);
    }
    return 0;
}
