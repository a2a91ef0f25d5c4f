// Free, total and used bytes of the selected drive.
#include "disk/byte_count.h"
#include "disk/disk_probes.h"
#include "disk/root_path.h"

namespace zarnel {

void disksarh(Controls& controls, Platform& platform) {
    std::uint64_t available = 0;
    std::uint64_t total = 0;
    std::uint64_t totalFree = 0;  // asked for, never shown
    // A drive that cannot be read leaves the counts at zero, and so the fields at "0".
    platform.getDiskFreeSpaceEx(platform.ansi().fromText(rootPath(controls)), available, total,
                                totalFree);
    const std::string separator = thousandsSeparator(platform);
    controls.setText(Ctl::Text15, formatByteCount(available, separator));
    controls.setText(Ctl::Text16, formatByteCount(total, separator));
    controls.setText(Ctl::Text17, formatByteCount(usedByteCount(total, available), separator));
}

}  // namespace zarnel
