#include "platform/linux/volume_flags.h"

#include <algorithm>
#include <array>

#include "platform/linux/mountinfo.h"
#include "platform/platform.h"

namespace zarnel::linux_fs {
namespace {

using namespace volume_flag;

// Names keep their case and are told apart by it: every POSIX file system.
constexpr std::uint32_t kPosixNames = kCasePreservedNames | kCaseSensitiveSearch;

struct TypeRow {
    std::string_view fsType;
    std::uint32_t flags;
};

// What each file system can do whatever its options. A type not listed has POSIX names only.
constexpr std::array<TypeRow, 25> kTypeTable = {{
    {"ext2", kPosixNames | kPersistentAcls},
    {"ext3", kPosixNames | kPersistentAcls},
    // fscrypt: Documentation/filesystems/fscrypt.rst lists ext4, f2fs and ubifs.
    {"ext4", kPosixNames | kPersistentAcls | kSupportsEncryption},
    {"f2fs", kPosixNames | kPersistentAcls | kSupportsEncryption | kFileCompression},
    {"ubifs", kPosixNames | kSupportsEncryption},
    {"xfs", kPosixNames | kPersistentAcls},
    {"btrfs", kPosixNames | kPersistentAcls | kFileCompression},
    {"zfs", kPosixNames | kPersistentAcls | kFileCompression},
    {"jfs", kPosixNames | kPersistentAcls},
    {"reiserfs", kPosixNames | kPersistentAcls},
    {"tmpfs", kPosixNames | kPersistentAcls},
    // Long names are stored in UTF-16 and looked up without regard to case.
    {"vfat", kCasePreservedNames | kUnicodeOnDisk},
    {"exfat", kCasePreservedNames | kUnicodeOnDisk},
    // 8.3 names, upper-cased: none of the capabilities the window lists, but an answer of no
    // capability at all reads as a failed query. An open file is unlinked as on any Linux volume.
    {"msdos", kPosixUnlinkRename},
    // A Mac's disk: HFS+ stores names in UTF-16 and looks them up without regard to case (the
    // case-sensitive HFSX variant cannot be told from the mount); HFS's names are MacRoman.
    {"hfsplus", kCasePreservedNames | kUnicodeOnDisk},
    {"hfs", kCasePreservedNames},
    {"ntfs", kPosixNames | kUnicodeOnDisk | kFileCompression | kNamedStreams},
    {"ntfs3", kPosixNames | kUnicodeOnDisk | kFileCompression | kNamedStreams},
    {"iso9660", kPosixNames | kUnicodeOnDisk},
    {"udf", kPosixNames | kUnicodeOnDisk},
    // NFSv4 names are UTF-8 (RFC 7530 section 12) and it carries ACLs.
    {"nfs4", kPosixNames | kUnicodeOnDisk | kPersistentAcls},
    {"nfs", kPosixNames},
    // SMB names are UTF-16, compared without regard to case by the usual servers.
    {"cifs", kCasePreservedNames | kUnicodeOnDisk | kNamedStreams},
    {"smb3", kCasePreservedNames | kUnicodeOnDisk | kNamedStreams},
    // WSL 1's Windows drives: NTFS's names, looked up without regard to case unless the user
    // marks a folder otherwise.
    {"drvfs", kCasePreservedNames | kUnicodeOnDisk},
}};
// WSL 2 serves the same drives over 9p, named by the share it asks for.
constexpr std::string_view kWslDrive = "aname=drvfs";

enum class Match { Exact, Prefix };
enum class Effect { Add, Remove };

struct OptionRow {
    std::string_view fsType;  // empty: any type
    std::string_view option;
    Match match;
    Effect effect;
    std::uint32_t flags;
};

// Options that switch a capability on or off for one mount, read from the mount's and the
// superblock's option fields (proc(5), mountinfo fields 6 and 11). The quota options are
// spelled the same by every file system that takes them (ext*, xfs, tmpfs, gfs2, ocfs2:
// quotaon(8), xfs(5), tmpfs(5)); "ro" is mount(8)'s read-only option, and the encryption
// flag is further cleared where the volume itself cannot encrypt.
constexpr std::array<OptionRow, 16> kOptionTable = {{
    {"btrfs", "compress", Match::Prefix, Effect::Add, kVolumeIsCompressed},
    {"", "noacl", Match::Exact, Effect::Remove, kPersistentAcls},
    {"cifs", "cifsacl", Match::Exact, Effect::Add, kPersistentAcls},
    {"ntfs3", "acl", Match::Exact, Effect::Add, kPersistentAcls},
    {"", "quota", Match::Exact, Effect::Add, kVolumeQuotas},
    {"", "usrquota", Match::Exact, Effect::Add, kVolumeQuotas},
    {"", "grpquota", Match::Exact, Effect::Add, kVolumeQuotas},
    {"", "prjquota", Match::Exact, Effect::Add, kVolumeQuotas},
    {"", "uquota", Match::Exact, Effect::Add, kVolumeQuotas},
    {"", "gquota", Match::Exact, Effect::Add, kVolumeQuotas},
    {"", "pquota", Match::Exact, Effect::Add, kVolumeQuotas},
    {"", "usrjquota=", Match::Prefix, Effect::Add, kVolumeQuotas},
    {"", "grpjquota=", Match::Prefix, Effect::Add, kVolumeQuotas},
    {"", "ro", Match::Exact, Effect::Add, kReadOnlyVolume},
    {"9p", kWslDrive, Match::Prefix, Effect::Add, kUnicodeOnDisk},
    {"9p", kWslDrive, Match::Prefix, Effect::Remove, kCaseSensitiveSearch},
}};

bool matches(const OptionRow& row, std::string_view fsType, std::string_view option) {
    if (!row.fsType.empty() && row.fsType != fsType) return false;
    return row.match == Match::Exact ? option == row.option : option.starts_with(row.option);
}

}  // namespace

std::uint32_t volumeFlags(std::string_view fsType, std::string_view options) {
    std::uint32_t flags = kPosixNames;
    for (const TypeRow& row : kTypeTable) {
        if (row.fsType == fsType) flags = row.flags;
    }
    forEachOption(options, [&flags, fsType](std::string_view option) {
        for (const OptionRow& row : kOptionTable) {
            if (!matches(row, fsType, option)) continue;
            if (row.effect == Effect::Add) {
                flags |= row.flags;
            } else {
                flags &= ~row.flags;
            }
        }
    });
    return flags;
}

std::uint32_t maximumComponentLength(std::string_view fsType, unsigned long nameMax) {
    // The kernel's FAT and exFAT drivers give theirs in bytes of the widest character set they
    // can name files in, six to a character: a USB stick's 255 reads 1530. A FUSE driver
    // ("fuseblk") gives characters.
    constexpr unsigned long kFatBytesPerCharacter = 6;
    constexpr std::array<std::string_view, 3> kFatTypes = {"vfat", "msdos", "exfat"};
    if (std::ranges::find(kFatTypes, fsType) != kFatTypes.end()) nameMax /= kFatBytesPerCharacter;
    return static_cast<std::uint32_t>(nameMax);
}

}  // namespace zarnel::linux_fs
