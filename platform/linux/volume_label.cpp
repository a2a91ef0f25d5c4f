#include "platform/linux/volume_label.h"

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

#include "platform/codec.h"
#include "platform/linux/visible_text.h"

namespace zarnel::linux_fs {
namespace {

constexpr std::array<std::string_view, 2> kFatTypes = {"vfat", "msdos"};
constexpr std::string_view kOemCodePage = "CP932";
constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

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
    std::string text(withoutCutCharacter(label));
    if (!isUtf8(label) && std::ranges::find(kFatTypes, fsType) != kFatTypes.end()) {
        if (auto decoded = fromOemCodePage(label)) text = std::move(*decoded);
    }
    return visibleText(text, maxBytes);
}

}  // namespace zarnel::linux_fs
