// sys/class/dmi/id and the firmware's processor records: a BIOS date is a whole CIM date or
// nothing, the BIOS record holds each fact exactly when the firmware gave it, a socket name has
// no NUL.
#include <algorithm>
#include <string>

#include "fuzz/fuzz_input.h"
#include "platform/linux/dmi.h"
#include "platform/linux/smbios.h"
#include "platform/linux/visible_text.h"

namespace {

using namespace zarnel;

// Parts: bios_vendor, bios_date, bios_version, one processor record (type 4, raw).
enum Part : std::size_t { kVendor, kDate, kVersion, kRecord, kPartCount };

constexpr std::size_t kCimDateLength = 25;  // "YYYYMMDD000000.000000+000"

std::optional<std::string> present(std::string_view part) {
    if (part.empty()) return std::nullopt;
    return std::string(part);
}

// A part as the record shows it: its visible text, or nothing when the firmware gave none.
std::optional<std::string> shown(std::string_view part) {
    if (part.empty()) return std::nullopt;
    return linux_fs::visibleText(part);
}

// The text `instance` holds as its property `name`; nothing when it holds no text there.
std::optional<std::string> propertyText(const WmiInstance& instance, std::string_view name) {
    const auto found = std::ranges::find(instance, name, &WmiInstance::value_type::first);
    if (found == instance.end()) return std::nullopt;
    if (const auto* text = std::get_if<std::string>(&found->second)) return *text;
    return std::nullopt;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto parts = fuzz::partsOf(fuzz::textOf(data, size), kPartCount);
    const auto date = linux_fs::cimDate(parts[kDate]);
    if (date) {
        fuzz::require(date->size() == kCimDateLength);
        fuzz::require(std::all_of(date->begin(), date->begin() + 8,
                                  [](char c) { return c >= '0' && c <= '9'; }));
    }
    const WmiInstance bios = linux_fs::biosInstance({.vendor = present(parts[kVendor]),
                                                     .date = present(parts[kDate]),
                                                     .version = present(parts[kVersion])});
    fuzz::require(propertyText(bios, "ReleaseDate") == date);
    fuzz::require(propertyText(bios, "Manufacturer") == shown(parts[kVendor]));
    fuzz::require(propertyText(bios, "SMBIOSBIOSVersion") == shown(parts[kVersion]));
    fuzz::require(propertyText(bios, "Status") == "OK");
    const std::string socket = socketDesignation(parts[kRecord]);
    fuzz::require(socket.find('\0') == std::string::npos);
    return 0;
}
