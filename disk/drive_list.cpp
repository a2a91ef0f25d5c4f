// The drive list: its entries, and the six probes that follow its selection.
#include <functional>
#include <string_view>

#include "disk/disk_probes.h"

namespace zarnel {
namespace {

// An entry without its letter: "[/media/stick]" of "e: [/media/stick]".
std::string_view placeOf(std::string_view entry) {
    const auto space = entry.find(' ');
    return space == std::string_view::npos ? std::string_view() : entry.substr(space + 1);
}

int indexOf(const std::vector<std::string>& entries,
            const std::function<bool(const std::string&)>& matches) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (matches(entries[i])) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

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

void refreshDrive1(Controls& controls, Platform& platform) {
    const std::string before = controls.text(Ctl::Drive1);
    const DriveList drives = platform.drives();
    int selected =
        indexOf(drives.entries, [&before](const std::string& entry) { return entry == before; });
    if (selected < 0) {
        selected = indexOf(drives.entries, [&before](const std::string& entry) {
            return !placeOf(entry).empty() && placeOf(entry) == placeOf(before);
        });
    }
    if (selected < 0) selected = drives.selected;
    controls.setDrives(drives.entries, selected);
    if (selected >= 0 && drives.entries[static_cast<std::size_t>(selected)] != before) {
        Drive1_Change(controls, platform);
    }
}

}  // namespace zarnel
