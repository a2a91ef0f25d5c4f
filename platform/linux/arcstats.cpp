#include "platform/linux/arcstats.h"

#include "platform/text_fields.h"

namespace zarnel::linux_fs {

std::optional<std::uint64_t> reclaimableArcBytes(std::string_view text) {
    constexpr std::size_t kRowWords = 3;  // name, type, data
    std::optional<std::uint64_t> size;
    std::optional<std::uint64_t> floor;
    while (!text.empty()) {
        const std::vector<std::string_view> row = words(takeLine(text));
        if (row.size() != kRowWords) continue;
        std::optional<std::uint64_t>* slot = row[0] == "size"    ? &size
                                             : row[0] == "c_min" ? &floor
                                                                 : nullptr;
        if (slot != nullptr && !slot->has_value()) *slot = wholeNumber<std::uint64_t>(row[2]);
    }
    if (!size || !floor) return std::nullopt;
    return *size > *floor ? *size - *floor : 0;
}

}  // namespace zarnel::linux_fs
