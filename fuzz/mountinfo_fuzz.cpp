// proc/self/mountinfo with the drive letters: letters unique and in order from C: (which is
// "/"), at most Z:, each mount point lettered once, the initial selection within the list.
#include <algorithm>
#include <set>
#include <string>

#include "fuzz/fuzz_input.h"
#include "platform/linux/drive_letters.h"
#include "platform/linux/mountinfo.h"

namespace {

using namespace zarnel;

// Parts: the table, one unmounted device per line, the working directory.
enum Part : std::size_t { kTable, kDevices, kWorkingDirectory, kPartCount };

constexpr char kFirstLetter = 'c';
constexpr char kLastLetter = 'z';

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto parts = fuzz::partsOf(fuzz::textOf(data, size), kPartCount);
    const std::vector<linux_fs::MountEntry> mounts = linux_fs::parseMountinfo(parts[kTable]);
    for (const linux_fs::MountEntry& mount : mounts) fuzz::require(!mount.mountPoint.empty());

    std::vector<std::string> devices;
    for (std::string_view rest = parts[kDevices]; !rest.empty();) {
        const std::string_view line = rest.substr(0, rest.find('\n'));
        if (!line.empty()) devices.emplace_back(line);
        rest.remove_prefix(std::min(rest.size(), line.size() + 1));
    }
    const std::vector<linux_fs::DriveSlot> slots = linux_fs::assignDriveLetters(mounts, devices);
    fuzz::require(!slots.empty() && slots.front().letter == kFirstLetter &&
                  slots.front().mountPoint == "/");
    std::set<std::string> points;
    for (std::size_t i = 0; i < slots.size(); ++i) {
        fuzz::require(slots[i].letter == static_cast<char>(kFirstLetter + i));
        fuzz::require(slots[i].letter <= kLastLetter);
        fuzz::require(slots[i].mountPoint.empty() != slots[i].device.empty());
        if (!slots[i].mountPoint.empty()) fuzz::require(points.insert(slots[i].mountPoint).second);
    }
    const int selected = linux_fs::initialSelection(slots, parts[kWorkingDirectory]);
    fuzz::require(selected >= 0 && static_cast<std::size_t>(selected) < slots.size());
    return 0;
}
