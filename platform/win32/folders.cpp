#include <algorithm>
#include <array>
#include <cwchar>
#include <functional>
#include <optional>
#include <string>

#include "platform/errors.h"
#include "platform/name_copy.h"
#include "platform/win32/code_page.h"
#include "platform/win32/win32_platform.h"

namespace zarnel {
namespace {

// What SHGetFolderPathW wrote in a buffer of its own, its result and its last error.
struct FolderAnswer {
    HRESULT result = E_FAIL;
    std::uint32_t error = ERROR_SUCCESS;
    std::array<wchar_t, MAX_PATH> path{};
};

}  // namespace

std::string Win32Platform::folderRoot(HWND owner, int csidl) {
    wchar_t where[MAX_PATH] = {};
    const int folder = (csidl & ~CSIDL_FLAG_MASK) | CSIDL_FLAG_DONT_VERIFY;
    if (FAILED(shGetFolderPathW_(owner, folder, nullptr, 0, where))) return {};
    const std::wstring_view path(where, wcsnlen(where, MAX_PATH));
    if (path.starts_with(L"\\\\")) {
        // \\server\share\...: the share's own root, what its server answers for.
        const auto server = path.find(L'\\', 2);
        const auto share =
            server == std::wstring_view::npos ? server : path.find(L'\\', server + 1);
        return win32::utf8Of(path.substr(0, share)) + '\\';
    }
    if (path.size() < 2 || path[1] != L':') return {};
    return {static_cast<char>(path[0]), ':', '\\'};
}

std::int32_t Win32Platform::getFolderPath(Hwnd owner, int csidl, std::span<char> path) {
    const auto function = shGetFolderPathW_.pointer();
    const auto window = reinterpret_cast<HWND>(owner);
    // The call works in a buffer of its own, which it may still write after the caller stopped
    // waiting. The system writes up to MAX_PATH units whatever the caller holds; a longer path
    // fills them all and may end with no NUL.
    const std::function<FolderAnswer()> question = [function, window, csidl] {
        FolderAnswer found;
        found.result = withLastError(
            found.error, [&] { return function(window, csidl, nullptr, 0, found.path.data()); });
        return found;
    };
    // A folder redirected to a share whose server went away holds the call until the network
    // gives up: it is asked as the drives' questions are, with a deadline on a share or a
    // removable medium only, so that a healthy folder slow to answer (the first shell call
    // after a cold start) still shows.
    const std::string root = folderRoot(window, csidl);
    const std::optional<FolderAnswer> answer =
        root.empty() ? question()
                     : askDrive<FolderAnswer>(root, "folder " + std::to_string(csidl), question);
    if (!answer) {
        lastError_ = ERROR_NOT_READY;
        return HRESULT_FROM_WIN32(ERROR_NOT_READY);
    }
    lastError_ = answer->error;
    if (FAILED(answer->result)) return answer->result;
    // A path that does not fit whole is refused, as is one of MAX_PATH bytes or more in the
    // code page: a cut one names another folder.
    const std::wstring_view system(answer->path.data(), MAX_PATH);
    std::uint32_t len = static_cast<std::uint32_t>(std::min<std::size_t>(path.size(), MAX_PATH));
    if (wcsnlen(system.data(), MAX_PATH) == MAX_PATH ||
        copyInCodePage(system, path, len, LengthOnSuccess::WithoutNul, win32_error::kMoreData) ==
            0) {
        lastError_ = win32_error::kMoreData;
        return E_FAIL;
    }
    return answer->result;
}

}  // namespace zarnel
