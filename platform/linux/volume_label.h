// A volume's label as the drive's facts show it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zarnel::linux_fs {

// `label` as read from a volume whose file system's flags are those of `fsType`, as visible
// text (see visible_text.h) of at most `maxBytes` bytes. A character that the file system's own
// byte limit cut short is left out rather than shown as stray bytes; a FAT label that is not
// UTF-8 otherwise is in the OEM code page of the system that wrote it, CP932 on a Japanese one.
std::string shownLabel(std::string_view label, std::string_view fsType, std::size_t maxBytes);

}  // namespace zarnel::linux_fs
