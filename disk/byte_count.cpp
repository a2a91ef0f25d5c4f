#include "disk/byte_count.h"

#include <array>

namespace zarnel {
namespace {

constexpr std::size_t kGroupDigits = 3;
// What Japanese systems group by, and so the separator when the system tells none.
constexpr std::string_view kCommonSeparator = ",";
// Room for the longest separator a system gives (four characters with the NUL), in UTF-8 or any
// code page: up to four bytes a character.
constexpr std::size_t kSeparatorBytes = 16;

}  // namespace

std::string formatByteCount(std::uint64_t bytes, std::string_view separator) {
    const std::string digits = std::to_string(bytes);
    std::string grouped;
    grouped.reserve(digits.size() + digits.size() / kGroupDigits * separator.size());
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % kGroupDigits == 0) grouped += separator;
        grouped += digits[i];
    }
    return grouped;
}

std::string thousandsSeparator(Platform& platform) {
    std::array<char, kSeparatorBytes> data{};
    const int written = platform.getThousandsSeparator(data);
    if (written <= 1) return std::string(kCommonSeparator);
    return platform.ansi().toText(
        std::string_view(data.data(), static_cast<std::size_t>(written) - 1));
}

std::uint64_t usedByteCount(std::uint64_t totalBytes, std::uint64_t availableBytes) {
    return totalBytes > availableBytes ? totalBytes - availableBytes : 0;
}

}  // namespace zarnel
