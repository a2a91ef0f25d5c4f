// udev's escaped names and volume ids: decoding never grows the text; a FAT id's serial is its
// hexadecimal value.
#include <algorithm>
#include <string>

#include "fuzz/fuzz_input.h"
#include "platform/linux/volume_ids.h"
#include "platform/text_fields.h"

namespace {

constexpr std::size_t kFatIdLength = 9;  // "1A2B-3C4D"
constexpr std::size_t kFatHalf = 4;
constexpr int kHex = 16;

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zarnel;
    const std::string_view text = fuzz::textOf(data, size);
    fuzz::require(linux_fs::decodeUdevEscapes(text).size() <= text.size());
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
