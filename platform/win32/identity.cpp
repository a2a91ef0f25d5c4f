// The machine's and the user's names, asked in UTF-16 and written in the code page by the
// provider's codec: the code-page calls write a look-alike for a character the page lacks
// ("José" as "Jose"), and wine's lose non-ASCII names altogether.
#include <string>

#include "platform/errors.h"
#include "platform/win32/win32_platform.h"

namespace zarnel {
namespace {

// Room for the longest name of the three calls: a user name of 256 characters and its NUL.
constexpr DWORD kLongestName = 257;

}  // namespace

int Win32Platform::nameInCodePage(const std::function<BOOL(wchar_t*, DWORD*)>& question,
                                  std::span<char> buffer, std::uint32_t& len,
                                  LengthOnSuccess onSuccess, std::uint32_t tooSmallError) {
    std::wstring wide(kLongestName, L'\0');
    DWORD size = kLongestName;
    BOOL ok = question(wide.data(), &size);
    // A longer one says how much it needs: asked once more with that.
    if (!ok && size > wide.size()) {
        wide.assign(size, L'\0');
        ok = question(wide.data(), &size);
    }
    if (!ok) return FALSE;
    return copyInCodePage(wide, buffer, len, onSuccess, tooSmallError);
}

int Win32Platform::getComputerName(std::span<char> buffer, std::uint32_t& len) {
    return nameInCodePage(
        [this](wchar_t* name, DWORD* size) { return call(getComputerNameW_, name, size); }, buffer,
        len, LengthOnSuccess::WithoutNul, win32_error::kBufferOverflow);
}

int Win32Platform::getUserName(std::span<char> buffer, std::uint32_t& len) {
    return nameInCodePage(
        [this](wchar_t* name, DWORD* size) { return call(getUserNameW_, name, size); }, buffer, len,
        LengthOnSuccess::WithNul, win32_error::kInsufficientBuffer);
}

int Win32Platform::getComputerNameEx(ComputerNameFormat format, std::span<char> buffer,
                                     std::uint32_t& len) {
    return nameInCodePage(
        [this, format](wchar_t* name, DWORD* size) {
            return call(getComputerNameExW_, static_cast<COMPUTER_NAME_FORMAT>(format), name, size);
        },
        buffer, len, LengthOnSuccess::WithoutNul, win32_error::kMoreData);
}

}  // namespace zarnel
