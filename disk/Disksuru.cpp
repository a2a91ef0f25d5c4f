// The drive type of the selected drive.
#include <array>
#include <string_view>

#include "disk/disk_probes.h"
#include "disk/root_path.h"

namespace zarnel {
namespace {

// Indexed by the drive-type code.
constexpr std::array<std::string_view, 7> kDriveTypeTexts = {
    "判断不能",                // DRIVE_UNKNOWN
    "ルートディレクトリなし",  // DRIVE_NO_ROOT_DIR
    "フロッピーディスク",      // DRIVE_REMOVABLE, whatever the medium
    "ハードディスク",          // DRIVE_FIXED
    "リモート",                // DRIVE_REMOTE
    "ＣＤ－ＲＯＭ",            // DRIVE_CDROM
    "ＲＡＭディスク",          // DRIVE_RAMDISK
};

}  // namespace

void Disksuru(Controls& controls, Platform& platform) {
    const std::uint32_t code = platform.getDriveType(platform.ansi().fromText(rootPath(controls)));
    if (code < kDriveTypeTexts.size()) controls.setText(Ctl::Text18, kDriveTypeTexts[code]);
}

}  // namespace zarnel
