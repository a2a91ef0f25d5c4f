#include "platform/linux/win32_errno.h"

#include <array>
#include <cerrno>

#include "platform/errors.h"

namespace zarnel::linux_fs {
namespace {

struct ErrnoRow {
    int error;
    std::uint32_t win32;
};

constexpr std::array<ErrnoRow, 16> kErrnoTable = {{
    {ENOENT, win32_error::kPathNotFound},
    {ENOTDIR, win32_error::kPathNotFound},
    {ENAMETOOLONG, win32_error::kPathNotFound},
    {EACCES, win32_error::kAccessDenied},
    {EPERM, win32_error::kAccessDenied},
    {ENOMEDIUM, win32_error::kNotReady},
    {ENOTCONN, win32_error::kNotReady},
    {EIO, win32_error::kNotReady},
    {ESTALE, win32_error::kNotReady},
    {ENODEV, win32_error::kNotReady},
    {ENXIO, win32_error::kNotReady},
    {EHOSTDOWN, win32_error::kNotReady},
    {ETIMEDOUT, win32_error::kNotReady},  // a share whose server did not answer in time
    // What the file reader refuses: a directory, a link loop, a file above its cap.
    {EISDIR, win32_error::kAccessDenied},
    {ELOOP, win32_error::kCantResolveFilename},
    {EFBIG, win32_error::kFileTooLarge},
}};

}  // namespace

std::uint32_t win32ErrorFromErrno(int error) {
    for (const ErrnoRow& row : kErrnoTable) {
        if (row.error == error) return row.win32;
    }
    return win32_error::kGenFailure;
}

}  // namespace zarnel::linux_fs
