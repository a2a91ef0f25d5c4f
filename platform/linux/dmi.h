// The firmware facts of sys/class/dmi/id.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace zarnel::linux_fs {

struct DmiBios {
    std::optional<std::string> vendor;   // bios_vendor
    std::optional<std::string> date;     // bios_date, "MM/DD/YYYY"
    std::optional<std::string> version;  // bios_version
};

// "MM/DD/YYYY" (or "MM/DD/YY" of old firmware, 69 to 99 read as 19YY, else 20YY) as a CIM
// date-time, "YYYYMMDD000000.000000+000"; nothing for any other text.
std::optional<std::string> cimDate(std::string_view dmiDate);

// The Win32_BIOS instance: Manufacturer, ReleaseDate, SMBIOSBIOSVersion, Status, Version.
WmiInstance biosInstance(const DmiBios& bios);

}  // namespace zarnel::linux_fs
