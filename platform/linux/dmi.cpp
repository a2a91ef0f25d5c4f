#include "platform/linux/dmi.h"

#include <algorithm>

#include "platform/linux/wmi_value.h"
#include "platform/text_fields.h"

namespace zarnel::linux_fs {
namespace {

constexpr std::string_view kCimTimeOfDay = "000000.000000+000";
constexpr int kLastMonth = 12;
constexpr int kLastDay = 31;
// Two-digit years as POSIX reads them (%y): 69 to 99 in the 1900s, 00 to 68 in the 2000s.
constexpr int kFirstOldYear = 69;
constexpr int kOldCentury = 1900;
constexpr int kNewCentury = 2000;
// Digits of a year written whole or by its last two, and of a month or day, in the firmware's
// "MM/DD/YYYY" and in the CIM date.
constexpr std::size_t kYearDigits = 4;
constexpr std::size_t kShortYearDigits = 2;
constexpr std::size_t kMonthDayDigits = 2;

// Read unsigned: a sign would make "-042" a year.
std::optional<int> digits(std::string_view text, std::size_t fewest, std::size_t most) {
    if (text.size() < fewest || text.size() > most) return std::nullopt;
    const auto value = wholeNumber<unsigned>(text);
    if (!value) return std::nullopt;
    return static_cast<int>(*value);
}

std::string padded(int value, std::size_t width) {
    std::string text = std::to_string(value);
    return std::string(width - std::min(width, text.size()), '0') + text;
}

}  // namespace

std::optional<std::string> cimDate(std::string_view dmiDate) {
    const auto first = dmiDate.find('/');
    const auto second = dmiDate.find('/', first == std::string_view::npos ? first : first + 1);
    if (second == std::string_view::npos) return std::nullopt;
    // Some firmware leaves out the leading zero of a month or day.
    const auto month = digits(dmiDate.substr(0, first), 1, kMonthDayDigits);
    const auto day = digits(dmiDate.substr(first + 1, second - first - 1), 1, kMonthDayDigits);
    const std::string_view yearText = dmiDate.substr(second + 1);
    auto year = digits(yearText, kYearDigits, kYearDigits);
    if (!year) {
        year = digits(yearText, kShortYearDigits, kShortYearDigits);
        if (year) *year += *year >= kFirstOldYear ? kOldCentury : kNewCentury;
    }
    if (!month || !day || !year || *month < 1 || *month > kLastMonth || *day < 1 ||
        *day > kLastDay) {
        return std::nullopt;
    }
    return padded(*year, kYearDigits) + padded(*month, kMonthDayDigits) +
           padded(*day, kMonthDayDigits) + std::string(kCimTimeOfDay);
}

WmiInstance biosInstance(const DmiBios& bios) {
    const auto date = bios.date ? cimDate(*bios.date) : std::nullopt;
    return {
        {"Manufacturer", orNull(bios.vendor)},
        {"ReleaseDate", orNull(date)},
        {"SMBIOSBIOSVersion", orNull(bios.version)},
        {"Status", "OK"},
        // Windows builds this from the firmware's own version string; Linux has none.
        {"Version", std::monostate{}},
    };
}

}  // namespace zarnel::linux_fs
