#include "platform/linux/volume_label.h"

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "platform/codec.h"
#include "platform/linux/visible_text.h"

namespace zarnel::linux_fs {
namespace {

// File systems whose labels are in an OEM code page when they are not UTF-8.
constexpr std::array<std::string_view, 2> kOemLabelTypes = {"vfat", "msdos"};

// The bytes a label field holds, for the file systems whose tools cut a longer label to it.
struct LabelField {
    std::string_view fsType;
    std::size_t bytes;
};
constexpr std::array<LabelField, 6> kLabelFields = {
    {{"ext2", 16}, {"ext3", 16}, {"ext4", 16}, {"xfs", 12}, {"vfat", 11}, {"msdos", 11}}};

// A UTF-8 label the file system cut at its field's size, less the character cut in two; nothing
// for a label that does not fill its field (a Latin-1 "é" at its end is no cut character).
std::optional<std::string_view> cutToItsField(std::string_view label, std::string_view fsType) {
    const auto field = std::ranges::find(kLabelFields, fsType, &LabelField::fsType);
    if (field == kLabelFields.end() || label.size() != field->bytes) return std::nullopt;
    const std::string_view whole = withoutCutCharacter(label);
    if (whole.size() == label.size() || !isUtf8(whole)) return std::nullopt;
    return whole;
}

constexpr std::string_view kOemCodePage = "CP932";

// The label's text in the OEM code page, when every byte of it decodes there.
std::optional<std::string> fromOemCodePage(std::string_view label) {
    static const std::unique_ptr<AnsiCodec> codec = []() -> std::unique_ptr<AnsiCodec> {
        try {
            return makeAnsiCodec(std::string(kOemCodePage));
        } catch (const std::invalid_argument&) {
            return nullptr;  // a C library without the code page: the bytes show as escapes
        }
    }();
    if (!codec) return std::nullopt;
    std::string text = codec->toText(label);
    if (text.find(kReplacementCharacter) != std::string::npos) return std::nullopt;
    return text;
}

}  // namespace

std::string shownLabel(std::string_view label, std::string_view fsType, std::size_t maxBytes) {
    if (isUtf8(label)) return visibleText(label, maxBytes);
    // A UTF-8 label cut to a FAT field may decode in the code page too, as nonsense: the cut
    // is looked for first.
    if (const auto whole = cutToItsField(label, fsType)) return visibleText(*whole, maxBytes);
    if (std::ranges::find(kOemLabelTypes, fsType) != kOemLabelTypes.end()) {
        if (const auto decoded = fromOemCodePage(label)) return visibleText(*decoded, maxBytes);
    }
    return visibleText(label, maxBytes);
}

}  // namespace zarnel::linux_fs
