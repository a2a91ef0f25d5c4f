#include <algorithm>
#include <fstream>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fake/fake_platform.h"
#include "platform/text_fields.h"

namespace zarnel {
namespace {

std::int64_t toInteger(std::string_view text) {
    const auto value = wholeNumber<std::int64_t>(text);
    if (!value) throw std::invalid_argument("not a whole number: " + std::string(text));
    return *value;
}

// Unsigned, decimal or 0x-prefixed hexadecimal: serials and flags read best in hex.
std::uint64_t toUnsigned(std::string_view text) {
    constexpr std::string_view kHexPrefix = "0x";
    constexpr int kHex = 16;
    constexpr int kDecimal = 10;
    const bool hex = text.starts_with(kHexPrefix);
    if (hex) text.remove_prefix(kHexPrefix.size());
    const auto value = wholeNumber<std::uint64_t>(text, hex ? kHex : kDecimal);
    if (!value) throw std::invalid_argument("not an unsigned number: " + std::string(text));
    return *value;
}

std::uint32_t toUnsigned32(std::string_view text) {
    const std::uint64_t value = toUnsigned(text);
    if (value > UINT32_MAX) throw std::invalid_argument("above 32 bits: " + std::string(text));
    return static_cast<std::uint32_t>(value);
}

std::vector<std::string> splitEntries(std::string_view text) {
    constexpr std::string_view kSeparator = "|";
    std::vector<std::string> entries;
    while (!text.empty()) {
        const auto bar = text.find(kSeparator);
        entries.emplace_back(trimmed(text.substr(0, bar)));
        if (bar == std::string_view::npos) break;
        text.remove_prefix(bar + kSeparator.size());
    }
    return entries;
}

using VolumeSetter = std::function<void(FakeVolume&, std::string_view)>;

const std::map<std::string, VolumeSetter, std::less<>>& volumeSetters() {
    static const std::map<std::string, VolumeSetter, std::less<>> table = {
        {"type", [](FakeVolume& v, std::string_view t) { v.driveType = toUnsigned32(t); }},
        {"name", [](FakeVolume& v, std::string_view t) { v.volumeName = std::string(t); }},
        {"serial", [](FakeVolume& v, std::string_view t) { v.serialNumber = toUnsigned32(t); }},
        {"maxComponent",
         [](FakeVolume& v, std::string_view t) { v.maximumComponentLength = toUnsigned32(t); }},
        {"flags", [](FakeVolume& v, std::string_view t) { v.fileSystemFlags = toUnsigned32(t); }},
        {"fileSystem",
         [](FakeVolume& v, std::string_view t) { v.fileSystemName = std::string(t); }},
        {"available",
         [](FakeVolume& v, std::string_view t) { v.freeBytesAvailable = toUnsigned(t); }},
        {"total", [](FakeVolume& v, std::string_view t) { v.totalBytes = toUnsigned(t); }},
        {"totalFree", [](FakeVolume& v, std::string_view t) { v.totalFreeBytes = toUnsigned(t); }},
        {"error", [](FakeVolume& v, std::string_view t) { v.error = toUnsigned32(t); }},
    };
    return table;
}

constexpr std::string_view kVolumePrefix = "volume.";
constexpr std::string_view kFolderPrefix = "folder.";

// "volume.<letter>.<field>"
void applyVolume(FakePlatform& platform, std::string_view key, std::string_view value) {
    constexpr std::size_t kLetterAndDot = 2;
    if (key.size() <= kLetterAndDot || key[1] != '.') {
        throw std::invalid_argument("volume key needs a letter and a field");
    }
    const auto setter = volumeSetters().find(key.substr(kLetterAndDot));
    if (setter == volumeSetters().end()) {
        throw std::invalid_argument("unknown volume field " + std::string(key));
    }
    setter->second(platform.records.volumes[key[0]], value);
}

using Setter = std::function<void(FakePlatform&, std::string_view)>;

Setter text(std::string FakeRecords::*field) {
    return [field](FakePlatform& p, std::string_view v) { p.records.*field = std::string(v); };
}

template <typename Field>
Setter memory(Field MemoryStatus::*field) {
    return [field](FakePlatform& p, std::string_view v) {
        const std::int64_t value = toInteger(v);
        if (value < 0) throw std::invalid_argument("negative: " + std::string(v));
        p.records.memory.*field = static_cast<Field>(value);
    };
}

template <typename Field>
Setter number(Field SystemPowerStatus::*field) {
    return [field](FakePlatform& p, std::string_view v) {
        p.records.power.*field = static_cast<Field>(toInteger(v));
    };
}

bool toBool(std::string_view text) {
    if (text == "true") return true;
    if (text == "false") return false;
    throw std::invalid_argument("not true or false: " + std::string(text));
}

const std::map<std::string, Setter, std::less<>>& setters() {
    static const std::map<std::string, Setter, std::less<>> table = {
        {"computerName", text(&FakeRecords::computerName)},
        {"userName", text(&FakeRecords::userName)},
        {"dnsHostname", text(&FakeRecords::dnsHostname)},
        {"dnsDomain", text(&FakeRecords::dnsDomain)},
        {"memoryLoad", memory(&MemoryStatus::dwMemoryLoad)},
        {"totalPhys", memory(&MemoryStatus::ullTotalPhys)},
        {"availPhys", memory(&MemoryStatus::ullAvailPhys)},

        {"power.ACLineStatus", number(&SystemPowerStatus::ACLineStatus)},
        {"power.BatteryFlag", number(&SystemPowerStatus::BatteryFlag)},
        {"power.BatteryLifePercent", number(&SystemPowerStatus::BatteryLifePercent)},
        {"power.BatteryLifeTime", number(&SystemPowerStatus::BatteryLifeTime)},
        {"power.BatteryFullLifeTime", number(&SystemPowerStatus::BatteryFullLifeTime)},
        {"appBarState",
         [](FakePlatform& p, std::string_view v) {
             p.records.appBarState = static_cast<std::uint32_t>(toInteger(v));
         }},
        {"thousandsSeparator", text(&FakeRecords::thousandsSeparator)},
        {"wmiAvailable",
         [](FakePlatform& p, std::string_view v) { p.records.wmiAvailable = toBool(v); }},
        {"codePage", [](FakePlatform& p, std::string_view v) { p.setCodePage(std::string(v)); }},
        {"missing", [](FakePlatform& p, std::string_view v) { p.missing.emplace(v); }},
        {"drives",
         [](FakePlatform& p, std::string_view v) { p.records.drives.entries = splitEntries(v); }},
        {"driveSelected",
         [](FakePlatform& p, std::string_view v) {
             p.records.drives.selected = static_cast<int>(toInteger(v));
         }},
    };
    return table;
}

constexpr std::string_view kFailPrefix = "fail.";
constexpr std::string_view kWmiPrefix = "wmi.";

WmiValue wmiValue(std::string_view text) {
    if (text == "null") return std::monostate{};
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
        return std::string(text.substr(1, text.size() - 2));
    }
    try {
        return toInteger(text);
    } catch (const std::invalid_argument&) {
        return std::string(text);
    }
}

// "wmi.<Class>" changes the class's instance list, "wmi.<Class>.<Property>" its last instance.
void applyWmi(FakePlatform& platform, std::string_view key, std::string_view value) {
    const auto dot = key.find('.');
    const std::string className(key.substr(0, dot));
    if (dot == std::string_view::npos) {
        if (value == "absent") {
            platform.records.wmi.erase(className);
        } else if (value == "none") {
            platform.records.wmi[className].clear();
        } else if (value == "new") {
            platform.records.wmi[className].emplace_back();
        } else {
            throw std::invalid_argument("not new, none or absent: " + std::string(value));
        }
        return;
    }
    std::vector<WmiInstance>& instances = platform.records.wmi[className];
    if (instances.empty()) instances.emplace_back();
    WmiInstance& instance = instances.back();
    const std::string property(key.substr(dot + 1));
    const auto found = std::ranges::find(instance, property, &WmiInstance::value_type::first);
    if (found != instance.end()) {
        found->second = wmiValue(value);
    } else {
        instance.emplace_back(property, wmiValue(value));
    }
}

void apply(FakePlatform& platform, std::string_view key, std::string_view value) {
    if (key.starts_with(kFailPrefix)) {
        platform.failures[std::string(key.substr(kFailPrefix.size()))] =
            static_cast<std::uint32_t>(toInteger(value));
        return;
    }
    if (key.starts_with(kVolumePrefix)) {
        applyVolume(platform, key.substr(kVolumePrefix.size()), value);
        return;
    }
    if (key.starts_with(kFolderPrefix)) {
        platform.records.folders[static_cast<int>(toInteger(key.substr(kFolderPrefix.size())))] =
            std::string(value);
        return;
    }
    if (key.starts_with(kWmiPrefix)) {
        applyWmi(platform, key.substr(kWmiPrefix.size()), value);
        return;
    }
    const auto setter = setters().find(key);
    if (setter == setters().end()) throw std::invalid_argument("unknown key " + std::string(key));
    setter->second(platform, value);
}

}  // namespace

void loadScenario(FakePlatform& platform, const std::filesystem::path& file) {
    std::ifstream in(file);
    if (!in) throw std::runtime_error("cannot read scenario " + file.string());
    loadScenario(platform, in, file.string());
}

void loadScenario(FakePlatform& platform, std::istream& in, const std::string& name) {
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const std::string_view content = trimmed(std::string_view(line).substr(0, line.find('#')));
        if (content.empty()) continue;
        const auto equals = content.find('=');
        try {
            if (equals == std::string_view::npos) throw std::invalid_argument("no '='");
            apply(platform, trimmed(content.substr(0, equals)),
                  trimmed(content.substr(equals + 1)));
        } catch (const std::exception& e) {
            throw std::runtime_error(name + ":" + std::to_string(number) + ": " + e.what());
        }
    }
}

}  // namespace zarnel
