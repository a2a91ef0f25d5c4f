// The drive list: its entries, and the six probes that follow its selection.
#include <algorithm>
#include <array>
#include <functional>
#include <string_view>

#include "disk/disk_probes.h"
#include "platform/text_fields.h"

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

// `values` of `list` (its identities or volumes) when it gives one for every entry, else none.
const std::vector<std::string>& perEntry(const DriveList& list,
                                         const std::vector<std::string>& values) {
    static const std::vector<std::string> none;
    return values.size() == list.entries.size() ? values : none;
}

const std::vector<std::string>& identities(const DriveList& list) {
    return perEntry(list, list.drives);
}

// The one entry of `list` that is `drive`; -1 when none is, or several are (the file systems
// of one stick), which leaves no telling which of them was meant.
int onlyEntryOf(const DriveList& list, const std::string& drive) {
    const std::vector<std::string>& drives = identities(list);
    if (drive.empty() || std::ranges::count(drives, drive) != 1) return -1;
    return static_cast<int>(std::ranges::find(drives, drive) - drives.begin());
}

// The entry of `now` for the drive at `index` of `before`: the same text, else the same place
// under another letter, else the same drive showing another medium; -1 when it is gone.
int sameDrive(const DriveList& before, std::size_t index, const DriveList& now) {
    const std::string& entry = before.entries[index];
    int found = indexOf(now.entries, [&entry](const std::string& other) { return other == entry; });
    if (found < 0 && !placeOf(entry).empty()) {
        found = indexOf(now.entries, [&entry](const std::string& other) {
            return placeOf(other) == placeOf(entry);
        });
    }
    const std::vector<std::string>& drives = identities(before);
    if (found < 0 && !drives.empty() && onlyEntryOf(before, drives[index]) >= 0) {
        found = onlyEntryOf(now, drives[index]);
    }
    return found;
}

// Whether the entry at `index` of `before` shows another volume at `now` of `list`.
bool otherVolume(const DriveList& before, std::size_t index, const DriveList& list,
                 std::size_t now) {
    const std::vector<std::string>& was = perEntry(before, before.volumes);
    const std::vector<std::string>& is = perEntry(list, list.volumes);
    return !was.empty() && !is.empty() && was[index] != is[now];
}

// Whether the drive of `entry` ("e:" or "e: [/media/disc]") is among `changedLetters`.
bool mediumChanged(std::string_view entry, std::uint32_t changedLetters) {
    if (entry.empty()) return false;
    const int letter = asciiLower(entry.front()) - 'a';
    constexpr int kLetters = 26;
    return letter >= 0 && letter < kLetters && ((changedLetters >> letter) & 1U) != 0;
}

// What the probes of a chosen drive write.
constexpr std::array<Ctl, 8> kDriveFigures = {Ctl::Text15, Ctl::Text16, Ctl::Text17, Ctl::Text18,
                                              Ctl::Text19, Ctl::Text20, Ctl::Text21, Ctl::Text22};

void clearDriveFigures(Controls& controls) {
    for (const Ctl field : kDriveFigures) controls.setText(field, "");
    controls.clear(Ctl::List4);
}

}  // namespace

void Drive1_Change(Controls& controls, Platform& platform) {
    // With no drive chosen (a drive list the system would not give) nothing is asked: a root
    // path without a drive would ask about the current folder's volume, and its figures would
    // stand beside an empty list.
    if (controls.listIndex(Ctl::Drive1) < 0) return;
    disksarh(controls, platform);
    Disksuru(controls, platform);
    BrumSriaru(controls, platform);
    DiskFile(controls, platform);
    DiskSIsu(controls, platform);
    DiskSai(controls, platform);
}

DriveList fillDrive1(Controls& controls, Platform& platform) {
    DriveList drives = platform.drives();
    controls.setDrives(drives.entries, drives.selected);
    return drives;
}

DriveList refreshDrive1(Controls& controls, Platform& platform, const DriveList& shown,
                        std::uint32_t changedLetters) {
    DriveList drives = platform.drives();
    const int chosen = controls.listIndex(Ctl::Drive1);
    // The chosen entry as the list was given it: its text read back from the widget may differ.
    const bool known = chosen >= 0 && static_cast<std::size_t>(chosen) < shown.entries.size();
    const std::string before = known ? shown.entries[static_cast<std::size_t>(chosen)] : "";
    int selected = known ? sameDrive(shown, static_cast<std::size_t>(chosen), drives) : -1;
    if (selected < 0) selected = drives.selected;
    // Filled again only when it changed: a refill closes the user's place in an open list, and
    // most mount-table changes (a container, a snap) change no drive.
    if (drives.entries != shown.entries || selected != chosen) {
        controls.setDrives(drives.entries, selected);
    }
    // Read again when another drive is chosen now, or when the chosen drive's medium or volume
    // changed under an unchanged entry.
    if (selected < 0) {
        // The list came back without the drive that was chosen, and without another: its
        // figures must not stand beside an empty choice.
        if (chosen >= 0) clearDriveFigures(controls);
        return drives;
    }
    const auto now = static_cast<std::size_t>(selected);
    const std::string& after = drives.entries[now];
    if (after != before ||
        (known && otherVolume(shown, static_cast<std::size_t>(chosen), drives, now)) ||
        mediumChanged(after, changedLetters)) {
        Drive1_Change(controls, platform);
    }
    return drives;
}

}  // namespace zarnel
