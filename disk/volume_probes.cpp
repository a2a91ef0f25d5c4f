// The four probes of the volume facts. Each makes its own complete query and uses its part.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "disk/disk_probes.h"
#include "disk/volume_query.h"
#include "platform/platform.h"

namespace zarnel {
namespace {

struct FlagRow {
    std::uint32_t bit;
    std::string_view text;
};

// Tested and listed in this order, which is not the order of the bit values.
constexpr std::array<FlagRow, 9> kFlagTable = {{
    {volume_flag::kCasePreservedNames, "ファイル名大文字小文字維持"},
    {volume_flag::kCaseSensitiveSearch, "ファイル名大文字小文字区別"},
    {volume_flag::kUnicodeOnDisk, "ＵＮＩＣＯＤＥ"},
    {volume_flag::kPersistentAcls, "ＡＣＬ維持"},
    {volume_flag::kFileCompression, "ファイル圧縮"},
    {volume_flag::kVolumeIsCompressed, "ボリューム圧縮"},
    {volume_flag::kNamedStreams, "ストリーム"},
    {volume_flag::kSupportsEncryption, "暗号化"},
    {volume_flag::kVolumeQuotas, "クォータ"},
}};

constexpr std::string_view kFlagsFailure = "属性は取得できません。";

std::string upperHex(std::uint32_t value) {
    constexpr std::string_view kDigits = "0123456789ABCDEF";
    constexpr unsigned kBitsPerDigit = 4;
    constexpr std::uint32_t kDigitMask = 0xF;
    std::array<char, sizeof(value) * 2> digits{};
    std::size_t first = digits.size();
    for (; value != 0; value >>= kBitsPerDigit) digits[--first] = kDigits[value & kDigitMask];
    return std::string(digits.begin() + static_cast<std::ptrdiff_t>(first), digits.end());
}

// "(21)属性は取得できません。": the code as the signed number the thread keeps.
std::string flagsFailure(std::uint32_t lastError) {
    std::string entry = "(";
    entry += std::to_string(static_cast<std::int32_t>(lastError));
    entry += ')';
    entry += kFlagsFailure;
    return entry;
}

}  // namespace

void BrumSriaru(Controls& controls, Platform& platform) {
    const VolumeAnswer volume = queryVolume(controls, platform);
    controls.setText(Ctl::Text19, volume.volumeName);
    controls.setText(Ctl::Text20, upperHex(volume.serialNumber));
}

void DiskFile(Controls& controls, Platform& platform) {
    const VolumeAnswer volume = queryVolume(controls, platform);
    std::vector<std::string> entries;
    if (volume.fileSystemFlags == 0) {
        entries.push_back(flagsFailure(volume.lastError));
    } else {
        for (const FlagRow& row : kFlagTable) {
            if ((volume.fileSystemFlags & row.bit) != 0) entries.emplace_back(row.text);
        }
    }
    showEntries(controls, Ctl::List4, entries);
}

void DiskSIsu(Controls& controls, Platform& platform) {
    controls.setText(Ctl::Text21, queryVolume(controls, platform).fileSystemName);
}

void DiskSai(Controls& controls, Platform& platform) {
    const std::uint32_t length = queryVolume(controls, platform).maximumComponentLength;
    controls.setText(Ctl::Text22, length == 0 ? std::string() : std::to_string(length));
}

}  // namespace zarnel
