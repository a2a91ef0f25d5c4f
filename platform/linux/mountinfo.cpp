#include "platform/linux/mountinfo.h"

#include <optional>

#include "platform/text_fields.h"

namespace zarnel::linux_fs {
namespace {

constexpr std::size_t kOctalDigits = 3;
constexpr unsigned kOctalBase = 8;
constexpr unsigned kByteLimit = 256;

// mount id, parent id, major:minor, root, mount point, options: before the optional fields.
constexpr std::size_t kFixedFields = 6;
// type, source, super options: after the "-".
constexpr std::size_t kTrailingFields = 3;
constexpr std::string_view kSeparator = "-";

bool isOctal(char c) {
    return c >= '0' && c <= '7';
}

std::vector<std::string_view> splitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t at = 0;
    while (at < line.size()) {
        const std::size_t start = line.find_first_not_of(" \t", at);
        if (start == std::string_view::npos) break;
        const std::size_t end = line.find_first_of(" \t", start);
        fields.push_back(line.substr(start, end - start));
        at = end == std::string_view::npos ? line.size() : end;
    }
    return fields;
}

std::optional<unsigned> number(std::string_view text) {
    return wholeNumber<unsigned>(text);
}

std::optional<MountEntry> parseLine(std::string_view line) {
    const std::vector<std::string_view> fields = splitFields(line);
    if (fields.size() < kFixedFields + 1 + kTrailingFields) return {};
    if (!number(fields[0]) || !number(fields[1])) return {};
    const std::string_view device = fields[2];
    const auto colon = device.find(':');
    if (colon == std::string_view::npos) return {};
    const auto major = number(device.substr(0, colon));
    const auto minor = number(device.substr(colon + 1));
    if (!major || !minor) return {};

    std::size_t separator = kFixedFields;
    while (separator < fields.size() && fields[separator] != kSeparator) ++separator;
    if (separator == fields.size() || fields.size() - separator - 1 < kTrailingFields) return {};

    return MountEntry{.major = *major,
                      .minor = *minor,
                      .root = decodeOctalEscapes(fields[3]),
                      .mountPoint = decodeOctalEscapes(fields[4]),
                      .mountOptions = std::string(fields[5]),
                      .fsType = decodeOctalEscapes(fields[separator + 1]),
                      .source = decodeOctalEscapes(fields[separator + 2]),
                      .superOptions = std::string(fields[separator + 3])};
}

}  // namespace

std::string decodeOctalEscapes(std::string_view text) {
    std::string decoded;
    decoded.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && text.size() - i > kOctalDigits && isOctal(text[i + 1]) &&
            isOctal(text[i + 2]) && isOctal(text[i + 3])) {
            unsigned value = 0;
            for (std::size_t d = 1; d <= kOctalDigits; ++d) {
                value = value * kOctalBase + static_cast<unsigned>(text[i + d] - '0');
            }
            if (value < kByteLimit) {
                decoded += static_cast<char>(value);
                i += kOctalDigits;
                continue;
            }
        }
        decoded += text[i];
    }
    return decoded;
}

std::vector<MountEntry> parseMountinfo(std::string_view text) {
    std::vector<MountEntry> entries;
    while (!text.empty()) {
        if (auto entry = parseLine(takeLine(text))) entries.push_back(std::move(*entry));
    }
    return entries;
}

}  // namespace zarnel::linux_fs
