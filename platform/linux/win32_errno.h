// errno as the Win32 error the same failure gives on Windows.
#pragma once

#include <cstdint>

namespace zarnel::linux_fs {

// The one table: a missing path 3, refused access or a directory 5, no medium or a server
// gone 21, a file above its cap 223, a link loop 1921, anything else ERROR_GEN_FAILURE (31).
std::uint32_t win32ErrorFromErrno(int error);

}  // namespace zarnel::linux_fs
