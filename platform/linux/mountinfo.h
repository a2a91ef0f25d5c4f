// proc/self/mountinfo: the mount table of the process's namespace.
#pragma once

#include <compare>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zarnel::linux_fs {

// A device number as the kernel writes it ("8:17").
struct DeviceNumber {
    unsigned major = 0;
    unsigned minor = 0;
    auto operator<=>(const DeviceNumber&) const = default;
};

// "8:17"; nothing for any other text.
std::optional<DeviceNumber> parseDeviceNumber(std::string_view text);

// One line of the table, octal escapes ("\040" for a space) decoded.
struct MountEntry {
    unsigned major = 0;  // st_dev of the mounted file system
    unsigned minor = 0;
    std::string root;        // the directory of the file system seen at the mount point
    std::string mountPoint;  // as a path of the machine
    std::string mountOptions;
    std::string fsType;  // "ext4", "nfs4", "fuse.sshfs"
    std::string source;  // "/dev/sda1", "server:/export", "tmpfs"
    std::string superOptions;
    unsigned id = 0;        // the mount's number in the table
    unsigned parentId = 0;  // the number of the mount it lies on (the root's lies outside)

    DeviceNumber number() const { return {major, minor}; }
};

// The kernel escapes space, tab, newline and backslash as a backslash and three octal digits.
std::string decodeOctalEscapes(std::string_view text);

// Each option of a comma-separated option field, as it stands (escapes kept: a comma in a
// value is escaped, so the commas left part the options).
void forEachOption(std::string_view options, const std::function<void(std::string_view)>& visit);

// The value of the option "name=value" in an option field, decoded; nothing when it is absent.
std::optional<std::string> optionValue(std::string_view options, std::string_view name);

// Every well-formed line in order; a malformed one (missing fields, no "-" separator, a bad
// device number) is skipped.
std::vector<MountEntry> parseMountinfo(std::string_view text);

}  // namespace zarnel::linux_fs
