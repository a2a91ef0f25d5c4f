#include "platform/linux/visible_text.h"

namespace zarnel::linux_fs {
namespace {

constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDelete = 0x7F;
constexpr std::string_view kHexDigits = "0123456789ABCDEF";
constexpr unsigned kNibbleBits = 4;
constexpr unsigned kNibbleMask = 0xF;

}  // namespace

std::string visibleText(std::string_view text) {
    std::string visible;
    visible.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= kFirstPrintable && byte != kDelete) {
            visible += c;
            continue;
        }
        visible += "\\x";
        visible += kHexDigits[byte >> kNibbleBits];
        visible += kHexDigits[byte & kNibbleMask];
    }
    return visible;
}

}  // namespace zarnel::linux_fs
