// run/udev/data: each field is the value of one of its "E:" lines (the label decoded), empty
// when no such line is there; the EFI partition type is known whatever the case of its letters.
#include <algorithm>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "platform/linux/udev_data.h"
#include "platform/linux/volume_ids.h"

namespace {

using namespace zarnel;

constexpr std::string_view kPropertyPrefix = "E:";

// The values of every "E:KEY=value" line, by key, in the order they come.
std::map<std::string_view, std::vector<std::string_view>> propertyLines(std::string_view text) {
    std::map<std::string_view, std::vector<std::string_view>> values;
    while (!text.empty()) {
        const auto newline = text.find('\n');
        std::string_view line = text.substr(0, newline);
        text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
        if (!line.starts_with(kPropertyPrefix)) continue;
        line.remove_prefix(kPropertyPrefix.size());
        const auto equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        values[line.substr(0, equals)].push_back(line.substr(equals + 1));
    }
    return values;
}

// `field` is empty when no line gives `key`, else what one of those lines gives.
template <typename Decode>
void requireFromLine(const std::map<std::string_view, std::vector<std::string_view>>& lines,
                     std::string_view key, const std::string& field, Decode decode) {
    const auto found = lines.find(key);
    if (found == lines.end()) {
        fuzz::require(field.empty());
        return;
    }
    fuzz::require(std::ranges::any_of(
        found->second, [&](std::string_view value) { return decode(value) == field; }));
}

std::string asIs(std::string_view value) {
    return std::string(value);
}

std::string asciiUpper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::textOf(data, size);
    const linux_fs::UdevVolume volume = linux_fs::parseUdevData(text);
    const auto lines = propertyLines(text);
    requireFromLine(lines, "ID_FS_LABEL_ENC", volume.label, linux_fs::decodeUdevEscapes);
    requireFromLine(lines, "ID_FS_UUID", volume.uuid, asIs);
    requireFromLine(lines, "ID_FS_TYPE", volume.fsType, asIs);
    requireFromLine(lines, "ID_PART_ENTRY_TYPE", volume.partitionType, asIs);
    fuzz::require(linux_fs::isEfiPartitionType(volume.partitionType) ==
                  linux_fs::isEfiPartitionType(asciiUpper(volume.partitionType)));
    return 0;
}
