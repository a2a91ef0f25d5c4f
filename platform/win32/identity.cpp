#include <algorithm>

#include "platform/win32/win32_platform.h"

namespace zarnel {
namespace {

// The length the function is told: never more than the buffer really holds.
DWORD boundedLength(std::span<char> buffer, std::uint32_t len) {
    return static_cast<DWORD>(std::min<std::size_t>(len, buffer.size()));
}

}  // namespace

int Win32Platform::getComputerName(std::span<char> buffer, std::uint32_t& len) {
    DWORD size = boundedLength(buffer, len);
    const BOOL ok = call(getComputerNameA_, buffer.data(), &size);
    len = size;
    return ok;
}

int Win32Platform::getUserName(std::span<char> buffer, std::uint32_t& len) {
    DWORD size = boundedLength(buffer, len);
    const BOOL ok = call(getUserNameA_, buffer.data(), &size);
    len = size;
    return ok;
}

int Win32Platform::getComputerNameEx(ComputerNameFormat format, std::span<char> buffer,
                                     std::uint32_t& len) {
    DWORD size = boundedLength(buffer, len);
    const BOOL ok =
        call(getComputerNameExA_, static_cast<COMPUTER_NAME_FORMAT>(format), buffer.data(), &size);
    len = size;
    return ok;
}

}  // namespace zarnel
