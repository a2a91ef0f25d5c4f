#include "platform/linux/mountinfo.h"

#include <algorithm>
#include <optional>

#include "platform/text_fields.h"

namespace zarnel::linux_fs {
namespace {

constexpr std::size_t kOctalDigits = 3;
constexpr unsigned kOctalBase = 8;
constexpr unsigned kByteLimit = 256;

// The fields before the optional ones, in their order.
enum FixedField : std::size_t { kMountId, kParentId, kDevice, kRoot, kMountPoint, kOptions };
constexpr std::size_t kFixedFields = kOptions + 1;
// The fields after the "-", counted from it.
enum TrailingField : std::size_t { kFsType = 1, kSource, kSuperOptions };
constexpr std::size_t kTrailingFields = kSuperOptions;
constexpr std::string_view kSeparator = "-";
// "0 0 0:0  /  -   " (ten fields, most of them empty) and its newline: no mount line is shorter.
constexpr std::size_t kShortestLineBytes = 17;
constexpr char kFieldSeparator = ' ';

bool isOctal(char c) {
    return c >= '0' && c <= '7';
}

// proc(5) separates the fields by one space each and escapes every space inside them, so two
// spaces in a row enclose an empty field (a mount whose source is ""). `fields` is reused from
// line to line: a table of thousands of mounts would otherwise grow a fresh list for each.
void splitFields(std::string_view line, std::vector<std::string_view>& fields) {
    fields.clear();
    for (;;) {
        const std::size_t end = line.find(kFieldSeparator);
        fields.push_back(line.substr(0, end));
        if (end == std::string_view::npos) return;
        line.remove_prefix(end + 1);
    }
}

std::optional<unsigned> number(std::string_view text) {
    return wholeNumber<unsigned>(text);
}

std::optional<MountEntry> parseLine(std::string_view line, std::vector<std::string_view>& fields) {
    splitFields(line, fields);
    if (fields.size() < kFixedFields + 1 + kTrailingFields) return {};
    const auto id = number(fields[kMountId]);
    const auto parentId = number(fields[kParentId]);
    if (!id || !parentId) return {};
    const auto device = parseDeviceNumber(fields[kDevice]);
    if (!device) return {};

    std::size_t separator = kFixedFields;
    while (separator < fields.size() && fields[separator] != kSeparator) ++separator;
    if (separator == fields.size() || fields.size() - separator - 1 < kTrailingFields) return {};
    // The kernel writes a mount point as an absolute path; anything else is not a mount line.
    if (!fields[kMountPoint].starts_with('/')) return {};

    return MountEntry{.major = device->major,
                      .minor = device->minor,
                      .root = decodeOctalEscapes(fields[kRoot]),
                      .mountPoint = decodeOctalEscapes(fields[kMountPoint]),
                      .mountOptions = std::string(fields[kOptions]),
                      .fsType = decodeOctalEscapes(fields[separator + kFsType]),
                      .source = decodeOctalEscapes(fields[separator + kSource]),
                      .superOptions = std::string(fields[separator + kSuperOptions]),
                      .id = *id,
                      .parentId = *parentId};
}

}  // namespace

std::optional<DeviceNumber> parseDeviceNumber(std::string_view text) {
    const auto colon = text.find(':');
    if (colon == std::string_view::npos) return {};
    const auto major = number(text.substr(0, colon));
    const auto minor = number(text.substr(colon + 1));
    if (!major || !minor) return {};
    return DeviceNumber{*major, *minor};
}

std::string decodeOctalEscapes(std::string_view text) {
    // Most fields have no escape at all.
    if (text.find('\\') == std::string_view::npos) return std::string(text);
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

void forEachOption(std::string_view options, const std::function<void(std::string_view)>& visit) {
    for (const std::string_view option : separatedItems(options, ',')) visit(option);
}

std::optional<std::string> optionValue(std::string_view options, std::string_view name) {
    std::optional<std::string> value;
    forEachOption(options, [&value, name](std::string_view option) {
        if (option.size() > name.size() && option.starts_with(name) && option[name.size()] == '=') {
            value = decodeOctalEscapes(option.substr(name.size() + 1));
        }
    });
    return value;
}

std::vector<MountEntry> parseMountinfo(std::string_view text) {
    // Room for every entry the text can hold, made at once: growing a table of thousands of
    // mounts moved each entry again at every doubling, into fresh pages each time (4.5 of the
    // 8 ms 5,000 mounts took). Junk lines cost no more than address space.
    const auto lines = static_cast<std::size_t>(std::ranges::count(text, '\n')) + 1;
    std::vector<MountEntry> entries;
    entries.reserve(std::min(lines, text.size() / kShortestLineBytes + 1));
    std::vector<std::string_view> fields;
    while (!text.empty()) {
        if (auto entry = parseLine(takeLine(text), fields)) entries.push_back(std::move(*entry));
    }
    return entries;
}

}  // namespace zarnel::linux_fs
