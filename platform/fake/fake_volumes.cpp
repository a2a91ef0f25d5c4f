// The fake machine's drives, volumes and special folders.

#include "platform/errors.h"
#include "platform/fake/fake_platform.h"
#include "platform/name_copy.h"
#include "platform/text_fields.h"

namespace zarnel {
const FakeVolume* FakePlatform::volumeAt(std::string_view root) {
    constexpr std::size_t kLetterAndColon = 2;
    if (root.size() >= kLetterAndColon && root[1] == ':') {
        const auto letter = asciiLower(root[0]);
        if (const auto volume = records.volumes.find(letter); volume != records.volumes.end()) {
            return &volume->second;
        }
    }
    lastError_ = win32_error::kPathNotFound;
    return nullptr;
}

DriveList FakePlatform::drives() {
    if (enter("GetLogicalDriveStringsA")) return {};
    return records.drives;
}

std::uint32_t FakePlatform::getDriveType(std::string_view root) {
    if (enter("GetDriveTypeA", std::string(root))) return drive_type::kUnknown;
    const FakeVolume* volume = volumeAt(root);
    return volume ? volume->driveType : drive_type::kNoRootDir;
}

int FakePlatform::getVolumeInformation(std::string_view root, std::span<char> volumeName,
                                       std::uint32_t& serialNumber,
                                       std::uint32_t& maximumComponentLength,
                                       std::uint32_t& fileSystemFlags,
                                       std::span<char> fileSystemName) {
    if (enter("GetVolumeInformationA", std::string(root) + "," + std::to_string(volumeName.size()) +
                                           "," + std::to_string(fileSystemName.size()))) {
        return 0;
    }
    const FakeVolume* volume = volumeAt(root);
    if (!volume) return 0;
    if (volume->error != 0) {
        lastError_ = volume->error;
        return 0;
    }
    if (!copyTextsWhole({{codec_->fromText(volume->volumeName), volumeName},
                         {codec_->fromText(volume->fileSystemName), fileSystemName}},
                        lastError_)) {
        return 0;
    }
    serialNumber = volume->serialNumber;
    maximumComponentLength = volume->maximumComponentLength;
    fileSystemFlags = volume->fileSystemFlags;
    return 1;
}

int FakePlatform::getDiskFreeSpaceEx(std::string_view root, std::uint64_t& freeBytesAvailable,
                                     std::uint64_t& totalBytes, std::uint64_t& totalFreeBytes) {
    if (enter("GetDiskFreeSpaceExA", std::string(root))) return 0;
    const FakeVolume* volume = volumeAt(root);
    if (!volume) return 0;
    if (volume->error != 0) {
        lastError_ = volume->error;
        return 0;
    }
    freeBytesAvailable = volume->freeBytesAvailable;
    totalBytes = volume->totalBytes;
    totalFreeBytes = volume->totalFreeBytes;
    return 1;
}

std::int32_t FakePlatform::getFolderPath(Hwnd owner, int csidl, std::span<char> path) {
    if (enter("SHGetFolderPathA", std::to_string(owner) + "," + std::to_string(csidl) + "," +
                                      std::to_string(path.size()))) {
        return kEFail;
    }
    const auto folder = records.folders.find(csidl & ~kCsidlFlagCreate);
    if (folder == records.folders.end()) return kEFail;
    return copyTextsWhole({{codec_->fromText(folder->second), path}}, lastError_) ? kSOk : kEFail;
}

}  // namespace zarnel
