// The Win32 provider: the real API, each function bound by name at its first call, and WMI
// through COM. The thread's last error is cleared before every call and captured right after
// it, so lastError() tells about that call alone: wine leaves 234 after a successful
// GetComputerNameExA and stale codes after GetDriveTypeA, which a logic judging by the code
// would otherwise read as failures.
#pragma once

#include <shlobj.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>

#include "platform/bounded_questions.h"
#include "platform/name_copy.h"
#include "platform/platform.h"
#include "platform/text_fields.h"
#include "platform/win32/binding.h"
#include "platform/win32/disk_space.h"
#include "platform/win32/wmi_service.h"

namespace zarnel {

// Runs `work` with the thread's last error cleared before and read into `error` after; on a
// helper thread, that thread's own.
template <typename Work>
auto withLastError(std::uint32_t& error, Work&& work) {
    SetLastError(ERROR_SUCCESS);
    if constexpr (std::is_void_v<decltype(work())>) {
        work();
        error = GetLastError();
    } else {
        auto result = work();
        error = GetLastError();
        return result;
    }
}

class Win32Platform : public Platform {
  public:
    // `renamed` binds some functions under other export names (a test's missing function).
    // Makes the process fail critical errors itself (see the constructor).
    explicit Win32Platform(const win32::ExportNames& renamed = {});

    const AnsiCodec& ansi() const override { return *codec_; }
    std::uint32_t lastError() const override { return lastError_; }
    void clearLastError() override;

    int getComputerName(std::span<char> buffer, std::uint32_t& len) override;
    int getUserName(std::span<char> buffer, std::uint32_t& len) override;
    int getComputerNameEx(ComputerNameFormat format, std::span<char> buffer,
                          std::uint32_t& len) override;
    // A record of the contract's size asks for the system's MEMORYSTATUSEX; any other length
    // is passed on, so a wrong one fails with error 87 as it would on the system.
    void globalMemoryStatus(MemoryStatus& status) override;
    void sleep(std::uint32_t milliseconds) override;
    std::intptr_t shellOpen(Hwnd owner, std::string_view file) override;
    int getSystemPowerStatus(SystemPowerStatus& status) override;
    std::uint32_t appBarGetState() override;
    std::vector<WmiInstance> wmiInstances(std::string_view className) override;
    // Entries "c:", "d:" in letter order, the current directory's drive selected (the
    // Windows folder's when the current directory has none).
    DriveList drives() override;
    std::uint32_t getDriveType(std::string_view root) override;
    int getVolumeInformation(std::string_view root, std::span<char> volumeName,
                             std::uint32_t& serialNumber, std::uint32_t& maximumComponentLength,
                             std::uint32_t& fileSystemFlags,
                             std::span<char> fileSystemName) override;
    int getDiskFreeSpaceEx(std::string_view root, std::uint64_t& freeBytesAvailable,
                           std::uint64_t& totalBytes, std::uint64_t& totalFreeBytes) override;
    // A path that does not fit the buffer whole, or whose code-page form takes MAX_PATH bytes
    // or more, is refused with E_FAIL and the buffer left as it was.
    std::int32_t getFolderPath(Hwnd owner, int csidl, std::span<char> path) override;
    int getThousandsSeparator(std::span<char> data) override;

    // How the management service is asked: on a helper thread with a deadline, its late
    // answers told as the drives' are, unless a test sets another.
    win32::WmiService wmiService;
    // The management service asked by `query` within `deadline`, its late answers told as the
    // provider's own are (a test's stand-in for a slow one).
    void askManagementServiceBy(win32::WmiService::Query query, std::chrono::milliseconds deadline);

    // From now on, each answer about a drive, or a folder on one, or of the management service,
    // that came after its asker had stopped waiting is told by posting `message` to `window`,
    // which may then show them again and be given that answer at once. A null window stops it.
    void tellLateAnswersTo(HWND window, UINT message);
    // Runs `show`, which shows again what waited for an answer (the chosen drive and folder,
    // the hardware), with the late answers told of (see BoundedQuestions::showingLateAnswers).
    void showLateAnswers(const std::function<void(const LateNews&)>& show);

  private:
    // The text before the first NUL of a buffer the system filled in UTF-16, written into
    // `buffer` in the code page by copyName's rules, each character the page lacks as one '?'.
    // The system's own code-page calls write a look-alike instead ("Café" as "Cafe"), which
    // names another folder or volume.
    int copyInCodePage(std::wstring_view filled, std::span<char> buffer, std::uint32_t& len,
                       LengthOnSuccess onSuccess, std::uint32_t tooSmallError);
    // Code-page text to the system's UTF-16.
    std::wstring wideOf(std::string_view ansi) const;
    // A name asked of the system in UTF-16 by `question` (buffer, its size in characters),
    // written in the code page into the caller's buffer by the rules of the code-page call:
    // what `len` holds after it, and the error for a buffer too small.
    int nameInCodePage(const std::function<BOOL(wchar_t*, DWORD*)>& question,
                       std::span<char> buffer, std::uint32_t& len, LengthOnSuccess onSuccess,
                       std::uint32_t tooSmallError);

    // Calls `bound` with the last error cleared before and captured after. It is bound first:
    // loading its library at the first call may leave an error of the loader's behind.
    template <typename Function, typename... Args>
    auto call(Function& bound, Args&&... args) {
        const auto function = bound.pointer();
        return withLastError(lastError_, [&] { return function(std::forward<Args>(args)...); });
    }

    // The root of the volume special folder `csidl` lies on, as the registry says without
    // looking at it ("C:\\", or "\\\\server\\share\\" for a share named by its path); empty
    // when it says none.
    std::string folderRoot(HWND owner, int csidl);

    // `question` about the volume of `root`, asked here, or with a deadline for a network share
    // or a drive whose medium comes and goes (a disc, a floppy, a card); nothing when that drive
    // did not answer in time. The type of a lettered drive is known without asking its server
    // or its medium: a mapped share says what it is while the server is gone, an optical drive
    // while it has no disc. A root named by a share's path is one.
    // Answers are kept by drive and `kind` of question (see AnswerKeeping).
    template <typename Answer>
    std::optional<Answer> askDrive(const std::string& root, const std::string& kind,
                                   std::function<Answer()> question) {
        const bool share = root.starts_with("\\\\");
        const UINT type = share ? DRIVE_REMOTE : getDriveTypeA_(root.c_str());
        if (type != DRIVE_REMOTE && type != DRIVE_CDROM && type != DRIVE_REMOVABLE) {
            return question();
        }
        // One drive, one question: the drive list spells a letter in lower case, the folder
        // settings as the system wrote it. A share's path is left as it is: lowering its bytes
        // could make two Japanese names one.
        std::string subject = root;
        if (!share && !subject.empty()) subject.front() = asciiLower(subject.front());
        return slowDrives_.ask<Answer>(
            subject, std::move(question),
            type == DRIVE_REMOTE ? kNetworkAnswerDeadline : kRemovableMediumAnswerDeadline, kind);
    }

    // Where late drive answers are told; shared with the helper threads, which may outlive
    // the provider.
    struct LateAnswerWindow {
        std::atomic<HWND> window{nullptr};
        std::atomic<UINT> message{0};
    };

    std::unique_ptr<AnsiCodec> codec_;
    std::uint32_t lastError_ = 0;
    std::shared_ptr<LateAnswerWindow> lateAnswerWindow_ = std::make_shared<LateAnswerWindow>();
    // Answers kept, the late ones told to the window.
    AnswerKeeping toldToTheWindow() const;
    BoundedQuestions slowDrives_{toldToTheWindow()};
    BoundedQuestions shell_;

    win32::LazyFunction<decltype(&GetComputerNameW)> getComputerNameW_;
    win32::LazyFunction<decltype(&GetUserNameW)> getUserNameW_;
    win32::LazyFunction<decltype(&GetComputerNameExW)> getComputerNameExW_;
    win32::LazyFunction<decltype(&GlobalMemoryStatusEx)> globalMemoryStatusEx_;
    win32::LazyFunction<decltype(&Sleep)> sleep_;
    win32::LazyFunction<decltype(&ShellExecuteA)> shellExecuteA_;
    win32::LazyFunction<decltype(&GetSystemPowerStatus)> getSystemPowerStatus_;
    win32::LazyFunction<decltype(&SHAppBarMessage)> shAppBarMessage_;
    win32::LazyFunction<decltype(&GetLogicalDriveStringsA)> getLogicalDriveStringsA_;
    win32::LazyFunction<decltype(&GetCurrentDirectoryA)> getCurrentDirectoryA_;
    win32::LazyFunction<decltype(&GetWindowsDirectoryA)> getWindowsDirectoryA_;
    win32::LazyFunction<decltype(&GetDriveTypeA)> getDriveTypeA_;
    win32::LazyFunction<decltype(&GetVolumeInformationW)> getVolumeInformationW_;
    win32::LazyFunction<decltype(&GetDiskFreeSpaceExA)> getDiskFreeSpaceExA_;
    win32::LazyFunction<win32::GetDiskSpaceInformationW> getDiskSpaceInformationW_;
    win32::LazyFunction<decltype(&SHGetFolderPathW)> shGetFolderPathW_;
    win32::LazyFunction<decltype(&GetLocaleInfoW)> getLocaleInfoW_;
};

}  // namespace zarnel
