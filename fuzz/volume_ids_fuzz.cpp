// udev's escaped names and volume ids: decoding never grows the text; a FAT id's serial is its
// hexadecimal value; a label as shown is UTF-8 without control characters, within its room.
#include <algorithm>
#include <string>

#include "fuzz/fuzz_input.h"
#include "platform/linux/visible_text.h"
#include "platform/linux/volume_ids.h"
#include "platform/linux/volume_label.h"
#include "platform/text_fields.h"

namespace {

constexpr std::size_t kFatIdLength = 9;  // "1A2B-3C4D"
constexpr std::size_t kFatHalf = 4;
constexpr int kHex = 16;
constexpr std::size_t kPathRoom = 259;  // a volume-name buffer less its NUL
constexpr std::size_t kFatLabelRoom = 11;
constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDelete = 0x7F;

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zarnel;
    const std::string_view text = fuzz::textOf(data, size);
    fuzz::require(linux_fs::decodeUdevEscapes(text).size() <= text.size());
    const std::string label = linux_fs::decodeUdevEscapes(text);
    for (const char* fsType : {"vfat", "ext4"}) {
        for (const std::size_t room : {kPathRoom, kFatLabelRoom}) {
            const std::string shown = linux_fs::shownLabel(label, fsType, room);
            fuzz::require(shown.size() <= room && linux_fs::isUtf8(shown));
            fuzz::require(std::none_of(shown.begin(), shown.end(), [](char c) {
                const auto byte = static_cast<unsigned char>(c);
                return byte < kFirstPrintable || byte == kDelete;
            }));
        }
    }
    const std::uint32_t serial = linux_fs::serialFromUuid(text);
    if (text.size() == kFatIdLength && text[kFatHalf] == '-') {
        const std::string digits =
            std::string(text.substr(0, kFatHalf)) + std::string(text.substr(kFatHalf + 1));
        if (std::all_of(digits.begin(), digits.end(), isHexDigit)) {
            fuzz::require(serial == wholeNumber<std::uint32_t>(digits, kHex));
        }
    }
    return 0;
}
