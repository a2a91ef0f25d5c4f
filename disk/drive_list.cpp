// The drive list: its entries, and the six probes that follow its selection.
#include "disk/disk_probes.h"

namespace zarnel {

void Drive1_Change(Controls& controls, Platform& platform) {
    disksarh(controls, platform);
    Disksuru(controls, platform);
    BrumSriaru(controls, platform);
    DiskFile(controls, platform);
    DiskSIsu(controls, platform);
    DiskSai(controls, platform);
}

void fillDrive1(Controls& controls, Platform& platform) {
    const DriveList drives = platform.drives();
    controls.setDrives(drives.entries, drives.selected);
}

}  // namespace zarnel
