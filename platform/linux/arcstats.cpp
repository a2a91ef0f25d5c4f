#include "platform/linux/arcstats.h"

#include "platform/text_fields.h"

namespace zarnel::linux_fs {
namespace {

constexpr std::string_view kBlanks = " \t";

// The next blank-separated word of `line`, taken off its front.
std::string_view takeWord(std::string_view& line) {
    line = trimmed(line, kBlanks);
    const std::string_view word = line.substr(0, line.find_first_of(kBlanks));
    line.remove_prefix(word.size());
    return word;
}

}  // namespace

std::optional<std::uint64_t> reclaimableArcBytes(std::string_view text) {
    std::optional<std::uint64_t> size;
    std::optional<std::uint64_t> floor;
    while (!text.empty()) {
        std::string_view line = takeLine(text);
        const std::string_view name = takeWord(line);
        std::optional<std::uint64_t>* slot = name == "size"    ? &size
                                             : name == "c_min" ? &floor
                                                               : nullptr;
        if (slot == nullptr || slot->has_value()) continue;
        takeWord(line);  // the row's type
        const std::string_view data = takeWord(line);
        if (!trimmed(line).empty()) continue;
        *slot = wholeNumber<std::uint64_t>(data);
    }
    if (!size || !floor) return std::nullopt;
    return *size > *floor ? *size - *floor : 0;
}

}  // namespace zarnel::linux_fs
