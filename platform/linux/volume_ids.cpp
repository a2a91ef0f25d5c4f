#include "platform/linux/volume_ids.h"

#include <optional>

#include "platform/text_fields.h"

namespace zarnel::linux_fs {
namespace {

constexpr std::string_view kHexEscape = "\\x";
constexpr std::size_t kHexEscapeDigits = 2;
constexpr int kHex = 16;
constexpr std::size_t kSerialDigits = 8;
constexpr std::size_t kNtfsSerialDigits = 16;
constexpr std::size_t kFatHalfDigits = 4;

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool allHex(std::string_view text) {
    for (char c : text) {
        if (!isHexDigit(c)) return false;
    }
    return true;
}

std::uint32_t hexValue(std::string_view digits) {
    return wholeNumber<std::uint32_t>(digits, kHex).value_or(0);
}

// The name of the link in `folder` that points at `deviceName`, decoded.
std::optional<std::string> linkTo(const std::filesystem::path& folder,
                                  std::string_view deviceName) {
    std::error_code error;
    std::filesystem::directory_iterator entry(folder, error);
    for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
        std::error_code linkError;
        const std::filesystem::path target =
            std::filesystem::read_symlink(entry->path(), linkError);
        if (!linkError && target.filename() == deviceName) {
            return decodeUdevEscapes(entry->path().filename().string());
        }
    }
    return std::nullopt;
}

}  // namespace

std::string decodeUdevEscapes(std::string_view text) {
    std::string decoded;
    decoded.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::string_view rest = text.substr(i);
        if (rest.starts_with(kHexEscape) && rest.size() >= kHexEscape.size() + kHexEscapeDigits &&
            allHex(rest.substr(kHexEscape.size(), kHexEscapeDigits))) {
            decoded +=
                static_cast<char>(hexValue(rest.substr(kHexEscape.size(), kHexEscapeDigits)));
            i += kHexEscape.size() + kHexEscapeDigits - 1;
            continue;
        }
        decoded += text[i];
    }
    return decoded;
}

std::uint32_t serialFromUuid(std::string_view uuid) {
    if (uuid.size() == kFatHalfDigits * 2 + 1 && uuid[kFatHalfDigits] == '-' &&
        allHex(uuid.substr(0, kFatHalfDigits)) && allHex(uuid.substr(kFatHalfDigits + 1))) {
        return hexValue(std::string(uuid.substr(0, kFatHalfDigits)) +
                        std::string(uuid.substr(kFatHalfDigits + 1)));
    }
    if (uuid.size() == kNtfsSerialDigits && allHex(uuid)) {
        return hexValue(uuid.substr(kNtfsSerialDigits - kSerialDigits));
    }
    std::string digits;
    for (char c : uuid) {
        if (digits.size() == kSerialDigits) break;
        if (isHexDigit(c)) {
            digits += c;
        } else if (c != '-') {
            return 0;
        }
    }
    return digits.size() == kSerialDigits ? hexValue(digits) : 0;
}

VolumeIds volumeIdsOf(const std::filesystem::path& root, std::string_view deviceName) {
    if (deviceName.empty()) return {};
    return {.label = linkTo(root / "dev/disk/by-label", deviceName).value_or(""),
            .uuid = linkTo(root / "dev/disk/by-uuid", deviceName).value_or("")};
}

}  // namespace zarnel::linux_fs
