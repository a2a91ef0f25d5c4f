#include <string>

#include "platform/text_fields.h"
#include "platform/win32/win32_platform.h"

namespace zarnel {
namespace {

// Room for the root of every letter ("C:\" and its NUL) and the list's closing NUL.
constexpr DWORD kAllDriveRoots = 26 * 4 + 1;

// "C:\" and "c:\work" alike: the drive letter, lower case, or nothing for a UNC path.
char driveLetterOf(std::string_view path) {
    if (path.size() < 2 || path[1] != ':') return '\0';
    return asciiLower(path[0]);
}

}  // namespace

DriveList Win32Platform::drives() {
    // Asked when drives or their media came or went: what they answered before may no longer
    // hold.
    slowDrives_.forgetAnswers();
    DriveList list;
    // "C:\<NUL>D:\<NUL><NUL>", asked once into room for every letter: asked for its size first,
    // a drive mounted between the two questions would have made the text too long for it.
    std::string roots(kAllDriveRoots, '\0');
    const DWORD written = call(getLogicalDriveStringsA_, kAllDriveRoots, roots.data());
    roots.resize(written < kAllDriveRoots ? written : 0);

    // Asked for its size first as well: a folder within MAX_PATH characters may take twice as
    // many bytes in a double-byte code page.
    const DWORD currentSize = call(getCurrentDirectoryA_, 0, nullptr);
    std::string current(currentSize, '\0');
    const DWORD currentLength = call(getCurrentDirectoryA_, currentSize, current.data());
    char currentLetter =
        currentLength > 0 && currentLength < currentSize ? driveLetterOf(current) : '\0';
    // Started from a network share (\\server\share) there is no current drive: the system's
    // own drive is chosen, so that the disk tab shows a drive the list names.
    if (currentLetter == '\0') {
        std::string windows(MAX_PATH, '\0');
        const UINT length = call(getWindowsDirectoryA_, windows.data(), MAX_PATH);
        if (length > 0 && length < MAX_PATH) currentLetter = driveLetterOf(windows);
    }

    for (std::size_t at = 0; at < roots.size();) {
        const std::size_t end = roots.find('\0', at);
        const std::string_view root = std::string_view(roots).substr(at, end - at);
        at = end == std::string::npos ? roots.size() : end + 1;
        const char letter = driveLetterOf(root);
        if (letter == '\0') continue;
        if (letter == currentLetter) list.selected = static_cast<int>(list.entries.size());
        list.entries.push_back(std::string{letter, ':'});
    }
    return list;
}

}  // namespace zarnel
