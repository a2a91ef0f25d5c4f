#include <charconv>
#include <fstream>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/fake/fake_platform.h"

namespace zarnel {
namespace {

std::string_view trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

std::int64_t toInteger(std::string_view text) {
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) {
        throw std::invalid_argument("not a whole number: " + std::string(text));
    }
    return value;
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

const std::map<std::string, Setter, std::less<>>& setters() {
    static const std::map<std::string, Setter, std::less<>> table = {
        {"computerName", text(&FakeRecords::computerName)},
        {"userName", text(&FakeRecords::userName)},
        {"dnsHostname", text(&FakeRecords::dnsHostname)},
        {"dnsDomain", text(&FakeRecords::dnsDomain)},
        {"memoryLoad", memory(&MemoryStatus::dwMemoryLoad)},
        {"totalPhys", memory(&MemoryStatus::ullTotalPhys)},
        {"availPhys", memory(&MemoryStatus::ullAvailPhys)},
        {"codePage", [](FakePlatform& p, std::string_view v) { p.setCodePage(std::string(v)); }},
        {"missing", [](FakePlatform& p, std::string_view v) { p.missing.emplace(v); }},
    };
    return table;
}

constexpr std::string_view kFailPrefix = "fail.";

void apply(FakePlatform& platform, std::string_view key, std::string_view value) {
    if (key.starts_with(kFailPrefix)) {
        platform.failures[std::string(key.substr(kFailPrefix.size()))] =
            static_cast<std::uint32_t>(toInteger(value));
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
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const std::string_view content = trim(std::string_view(line).substr(0, line.find('#')));
        if (content.empty()) continue;
        const auto equals = content.find('=');
        try {
            if (equals == std::string_view::npos) throw std::invalid_argument("no '='");
            apply(platform, trim(content.substr(0, equals)), trim(content.substr(equals + 1)));
        } catch (const std::exception& e) {
            throw std::runtime_error(file.string() + ":" + std::to_string(number) + ": " +
                                     e.what());
        }
    }
}

}  // namespace zarnel
