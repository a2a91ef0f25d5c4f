#include "probes/wmi_probes.h"

#include <algorithm>
#include <array>
#include <exception>
#include <span>
#include <string>
#include <vector>

#include "platform/errors.h"
#include "platform/text_fields.h"
#include "probes/trapped.h"

namespace zarnel {
namespace {

struct ListedProperty {
    std::string_view label;
    std::string_view property;
};

constexpr std::array<ListedProperty, 5> kProcessorLines = {{
    {"製造", "Manufacturer"},
    {"名称", "Name"},
    {"Ver.", "Version"},
    {"周波数", "CurrentClockSpeed"},
    {"ソケット", "SocketDesignation"},
}};

constexpr std::array<ListedProperty, 5> kBiosLines = {{
    {"製造", "Manufacturer"},
    {"リリース日", "ReleaseDate"},
    {"SM Ver.", "SMBIOSBIOSVersion"},
    {"状態", "Status"},
    {"Ver.", "Version"},
}};

// Only the instance enumerated last is shown; an empty list leaves nothing to read from.
WmiInstance lastInstance(Platform& platform, std::string_view className) {
    std::vector<WmiInstance> instances = platform.wmiInstances(className);
    if (instances.empty()) throw WmiError("no instance of " + std::string(className));
    return std::move(instances.back());
}

// Property names of the management service are not case-sensitive.
const WmiValue& propertyValue(const WmiInstance& instance, std::string_view name) {
    const auto found = std::ranges::find_if(
        instance, [&](const auto& property) { return sameIgnoringCase(property.first, name); });
    if (found == instance.end()) throw WmiError("no property " + std::string(name));
    return found->second;
}

// A list line's value: a null shows as nothing.
std::string lineValue(const WmiValue& value) {
    if (const auto* text = std::get_if<std::string>(&value)) return *text;
    if (const auto* number = std::get_if<std::int64_t>(&value)) return std::to_string(*number);
    return {};
}

// A text box's value: a null cannot become text.
std::string boxValue(const WmiValue& value) {
    if (std::holds_alternative<std::monostate>(value)) throw WmiError("null value");
    return lineValue(value);
}

std::vector<std::string> propertyLines(Platform& platform, std::string_view className,
                                       std::span<const ListedProperty> lines) {
    std::vector<std::string> listed;
    try {
        const WmiInstance instance = lastInstance(platform, className);
        for (const ListedProperty& line : lines) {
            // Each line is kept before the next property is read, so a failure keeps it.
            listed.push_back(std::string(line.label) + '\t' +
                             lineValue(propertyValue(instance, line.property)));
        }
    } catch (const std::exception&) {
        listed.emplace_back(kTrapped);
    }
    return listed;
}

}  // namespace

void TourokuKaisya(Controls& controls, Platform& platform) {
    try {
        const WmiInstance instance = lastInstance(platform, "Win32_OperatingSystem");
        controls.setText(Ctl::Text11, boxValue(propertyValue(instance, "Organization")));
        controls.setText(Ctl::Text12, boxValue(propertyValue(instance, "RegisteredUser")));
    } catch (const std::exception&) {
        controls.setText(Ctl::Text11, kTrapped);
        controls.setText(Ctl::Text12, kTrapped);
    }
}

void Pruseltusa(Controls& controls, Platform& platform) {
    showEntries(controls, Ctl::List2, propertyLines(platform, "Win32_Processor", kProcessorLines));
}

void Biosjyouhou(Controls& controls, Platform& platform) {
    showEntries(controls, Ctl::List3, propertyLines(platform, "Win32_BIOS", kBiosLines));
}

}  // namespace zarnel
