#include "disk/volume_query.h"

#include "disk/root_path.h"

namespace zarnel {
namespace {

constexpr std::size_t kFileSystemNameBuffer = 32;

}  // namespace

VolumeAnswer queryVolume(const Controls& controls, Platform& platform) {
    std::string volumeName(kMaxPath, '\0');
    std::string fileSystemName(kFileSystemNameBuffer, '\0');
    VolumeAnswer answer;
    platform.getVolumeInformation(platform.ansi().fromText(rootPath(controls)), volumeName,
                                  answer.serialNumber, answer.maximumComponentLength,
                                  answer.fileSystemFlags, fileSystemName);
    answer.lastError = platform.lastError();
    answer.volumeName = textBeforeNul(platform.ansi(), volumeName);
    answer.fileSystemName = textBeforeNul(platform.ansi(), fileSystemName);
    return answer;
}

}  // namespace zarnel
