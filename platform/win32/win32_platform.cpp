#include "platform/win32/win32_platform.h"

#include "platform/win32/code_page.h"

namespace zarnel {
namespace {

constexpr const char* kKernel32 = "kernel32.dll";
constexpr const char* kAdvapi32 = "advapi32.dll";
constexpr const char* kShell32 = "shell32.dll";
// The folder-path service as the window declares it: from shfolder.dll, which older systems
// lack.
constexpr const char* kShfolder = "shfolder.dll";

}  // namespace

Win32Platform::Win32Platform(const win32::ExportNames& renamed)
    : codec_(makeAnsiCodec("ACP")),
      getComputerNameW_(kKernel32, "GetComputerNameW", renamed),
      getUserNameW_(kAdvapi32, "GetUserNameW", renamed),
      getComputerNameExW_(kKernel32, "GetComputerNameExW", renamed),
      globalMemoryStatusEx_(kKernel32, "GlobalMemoryStatusEx", renamed),
      sleep_(kKernel32, "Sleep", renamed),
      shellExecuteA_(kShell32, "ShellExecuteA", renamed),
      getSystemPowerStatus_(kKernel32, "GetSystemPowerStatus", renamed),
      shAppBarMessage_(kShell32, "SHAppBarMessage", renamed),
      getLogicalDriveStringsA_(kKernel32, "GetLogicalDriveStringsA", renamed),
      getCurrentDirectoryA_(kKernel32, "GetCurrentDirectoryA", renamed),
      getWindowsDirectoryA_(kKernel32, "GetWindowsDirectoryA", renamed),
      getDriveTypeA_(kKernel32, "GetDriveTypeA", renamed),
      getVolumeInformationW_(kKernel32, "GetVolumeInformationW", renamed),
      getDiskFreeSpaceExA_(kKernel32, "GetDiskFreeSpaceExA", renamed),
      getDiskSpaceInformationW_(kKernel32, "GetDiskSpaceInformationW", renamed),
      shGetFolderPathW_(kShfolder, "SHGetFolderPathW", renamed),
      getLocaleInfoW_(kKernel32, "GetLocaleInfoW", renamed) {
    // A drive without its medium (a card reader's empty slot, a floppy drive) must fail the
    // volume and free-space questions with "not ready", not stop the window behind the
    // system's "no disk" box. Process-wide, so the helper threads that ask network shares and
    // removable drives have it too; whatever the process had set stays.
    SetErrorMode(GetErrorMode() | SEM_FAILCRITICALERRORS);
    askManagementServiceBy(win32::queryInstances, win32::kWmiServiceDeadline);
}

void Win32Platform::askManagementServiceBy(win32::WmiService::Query query,
                                           std::chrono::milliseconds deadline) {
    wmiService = win32::WmiService(std::move(query), deadline, toldToTheWindow());
}

AnswerKeeping Win32Platform::toldToTheWindow() const {
    return AnswerKeeping{.late = [target = lateAnswerWindow_] {
        if (const HWND window = target->window.load()) {
            PostMessageW(window, target->message.load(), 0, 0);
        }
    }};
}

void Win32Platform::clearLastError() {
    SetLastError(ERROR_SUCCESS);
    lastError_ = ERROR_SUCCESS;
}

int Win32Platform::copyInCodePage(std::wstring_view filled, std::span<char> buffer,
                                  std::uint32_t& len, LengthOnSuccess onSuccess,
                                  std::uint32_t tooSmallError) {
    const std::string text = codec_->fromText(win32::utf8Of(filled.substr(0, filled.find(L'\0'))));
    return copyName(text, buffer, len, onSuccess, tooSmallError, lastError_);
}

void Win32Platform::tellLateAnswersTo(HWND window, UINT message) {
    lateAnswerWindow_->message = message;
    lateAnswerWindow_->window = window;
}

void Win32Platform::showLateAnswers(const std::function<void(const LateNews&)>& show) {
    const auto drivesShown = slowDrives_.showingLateAnswers();
    const auto hardwareShown = wmiService.showingLateAnswers();
    show({});
}

std::wstring Win32Platform::wideOf(std::string_view ansi) const {
    return win32::wideOf(CP_UTF8, codec_->toText(ansi));
}

}  // namespace zarnel
