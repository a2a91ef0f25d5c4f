// The volume-information query each of the four volume probes makes on its own.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"
#include "window/controls.h"

namespace zarnel {

// What one query leaves in its outputs: zeros and empty texts where it failed.
struct VolumeAnswer {
    std::string volumeName;
    std::uint32_t serialNumber = 0;
    std::uint32_t maximumComponentLength = 0;
    std::uint32_t fileSystemFlags = 0;
    std::string fileSystemName;
    std::uint32_t lastError = 0;  // captured right after the call
};

// One GetVolumeInformationA call on the selected drive's root, with fresh all-NUL buffers of
// 260 and 32 bytes; its result is not examined.
VolumeAnswer queryVolume(const Controls& controls, Platform& platform);

}  // namespace zarnel
