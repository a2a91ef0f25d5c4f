#include "disk/byte_count.h"

namespace zarnel {
namespace {

constexpr std::size_t kGroupDigits = 3;
constexpr char kThousandsSeparator = ',';

}  // namespace

std::string formatByteCount(std::uint64_t bytes) {
    const std::string digits = std::to_string(bytes);
    std::string grouped;
    grouped.reserve(digits.size() + digits.size() / kGroupDigits);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % kGroupDigits == 0) grouped += kThousandsSeparator;
        grouped += digits[i];
    }
    return grouped;
}

std::uint64_t usedByteCount(std::uint64_t totalBytes, std::uint64_t availableBytes) {
    return totalBytes > availableBytes ? totalBytes - availableBytes : 0;
}

}  // namespace zarnel
