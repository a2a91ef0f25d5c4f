// The Linux provider: every fact read from files under a root directory ("/" on a live
// machine, a fixture tree in tests), answered with the Win32 contract of Platform.
#pragma once

#include <spawn.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "platform/linux/answer_signal.h"
#include "platform/linux/block_devices.h"
#include "platform/linux/desktop_settings.h"
#include "platform/linux/drive_letters.h"
#include "platform/linux/folder_check.h"
#include "platform/linux/kept_file.h"
#include "platform/linux/mount_table.h"
#include "platform/linux/name_service.h"
#include "platform/linux/network_stat.h"
#include "platform/linux/user_dirs_file.h"
#include "platform/linux/user_environment.h"
#include "platform/linux/user_quota.h"
#include "platform/platform.h"

namespace zarnel {

class LinuxPlatform : public Platform {
  public:
    explicit LinuxPlatform(std::filesystem::path root = "/");

    const std::filesystem::path& root() const { return root_; }

    const AnsiCodec& ansi() const override { return *codec_; }
    std::uint32_t lastError() const override { return lastError_; }
    void clearLastError() override { lastError_ = 0; }

    int getComputerName(std::span<char> buffer, std::uint32_t& len) override;
    int getUserName(std::span<char> buffer, std::uint32_t& len) override;
    int getComputerNameEx(ComputerNameFormat format, std::span<char> buffer,
                          std::uint32_t& len) override;
    // proc/meminfo; missing gives error 2, a refused file (not regular, a link, above the cap)
    // its errno's code, unreadable figures error 13; the record stays zero.
    void globalMemoryStatus(MemoryStatus& status) override;
    void sleep(std::uint32_t milliseconds) override;
    // Starts xdg-open with the address as its one argument, never through a shell, and does
    // not wait for the browser.
    std::intptr_t shellOpen(Hwnd owner, std::string_view file) override;
    int getSystemPowerStatus(SystemPowerStatus& status) override;
    // The running desktop's panel settings; else the docks of the X display named by
    // DISPLAY; else none.
    std::uint32_t appBarGetState() override;
    std::vector<WmiInstance> wmiInstances(std::string_view className) override;

    // Drives come from the mount table. Their space and volume facts come from statvfs of the
    // mount point below the root: a fixture's mount points need not exist there, and then
    // read as a path not found.
    DriveList drives() override;
    std::uint32_t getDriveType(std::string_view root) override;
    int getVolumeInformation(std::string_view root, std::span<char> volumeName,
                             std::uint32_t& serialNumber, std::uint32_t& maximumComponentLength,
                             std::uint32_t& fileSystemFlags,
                             std::span<char> fileSystemName) override;
    int getDiskFreeSpaceEx(std::string_view root, std::uint64_t& freeBytesAvailable,
                           std::uint64_t& totalBytes, std::uint64_t& totalFreeBytes) override;
    // Folders are looked up and created below the root; created only below $HOME.
    std::int32_t getFolderPath(Hwnd owner, int csidl, std::span<char> path) override;
    int getThousandsSeparator(std::span<char> data) override;

    // How an attribute file of a power supply (its folder, the file's name) is read: as every
    // file of the machine, unless a test watches which are read.
    std::function<std::optional<std::string>(const std::filesystem::path& folder,
                                             std::string_view name)>
        powerSupplyFile = readSupplyFile;
    static std::optional<std::string> readSupplyFile(const std::filesystem::path& folder,
                                                     std::string_view name);

    // Turns readable when a network share or directory server answered after what needed the
    // answer was shown without it.
    const linux_fs::AnswerSignal lateShareAnswers;
    // How the user is asked of the name service: with a deadline, since the user may be kept
    // on a directory server, its late answer kept as a share's, unless a test sets another.
    linux_fs::NameService nameService{linux_fs::effectiveUser, shareAnswerKeeping()};
    // The name service asked by `call`, its late answers told as the provider's own are (a
    // test's stand-in for a slow directory).
    void askNameServiceBy(linux_fs::NameService::Call call);
    // Where special folders and the initial drive are read from: the process's own
    // environment unless a test sets another.
    linux_fs::UserEnvironment environment = linux_fs::UserEnvironment::fromProcess(nameService);
    // Where GNOME, MATE and Cinnamon keep their panel settings: the session's own database
    // unless a test sets another. Shared with the helper thread that reads them.
    std::shared_ptr<const linux_fs::DesktopSettings> desktopSettings =
        linux_fs::sessionDesktopSettings();
    // Runs `show`, which shows again what was shown without an answer, with the late answers
    // lateShareAnswers told of (see BoundedQuestions::showingLateAnswers), and takes what made
    // it readable.
    void showLateAnswers(const std::function<void(const LateNews&)>& show);
    // How the answers of network servers (shares, directories) are kept: told late to
    // lateShareAnswers, timed by `now`.
    AnswerKeeping shareAnswerKeeping(std::function<std::chrono::steady_clock::time_point()> now =
                                         std::chrono::steady_clock::now) const;
    // How shares and programs' file systems are asked for their space: through statvfs, with
    // a deadline, each
    // answer kept for the questions that follow it at once, unless a test sets another.
    linux_fs::NetworkStat networkStat{linux_fs::NetworkStat::systemStat, shareAnswerKeeping()};
    // How answers about folders are kept: told late as the shares' are, but given again only
    // while late answers are shown. A folder, or the settings naming it, may change at any
    // moment, and one choice asks of each once.
    AnswerKeeping folderAnswerKeeping() const;
    // How a special folder is looked at: with a deadline, since it may be on a network share,
    // unless a test sets another.
    linux_fs::FolderCheck folderCheck{linux_fs::FolderCheck::systemIsFolder, folderAnswerKeeping()};
    // How the user's folder settings are read: with a deadline, since they lie in the home
    // folder, unless a test sets another.
    linux_fs::UserDirsFile userDirsFile{linux_fs::readSettings, folderAnswerKeeping()};
    // How the web address opener is started, in a process of its own: posix_spawnp, which
    // searches PATH, unless a test sets another.
    int (*spawn)(pid_t*, const char*, const posix_spawn_file_actions_t*, const posix_spawnattr_t*,
                 char* const[], char* const[]) = posix_spawnp;
    // What the quotas of the user and the user's group leave them on a local volume, asked
    // through its root folder: the kernel's answer unless a test sets another.
    std::optional<std::uint64_t> (*userQuotaLeft)(const std::string& folder, uid_t user,
                                                  gid_t group) = linux_fs::userQuotaLeft;

  private:
    std::vector<WmiInstance> processors() const;
    std::vector<WmiInstance> bioses() const;
    std::vector<WmiInstance> operatingSystems() const;

    // The machine's host name; nothing when no source holds a usable one.
    std::optional<std::string> hostname() const;
    std::string dnsDomain(const std::string& host) const;

    std::filesystem::path root_;
    std::unique_ptr<AnsiCodec> codec_;
    std::uint32_t lastError_ = 0;
    linux_fs::KeptFile meminfo_{root_ / "proc/meminfo"};
    // ZFS's cache above its floor, which the kernel's available figure leaves out; 0 without ZFS.
    std::uint64_t reclaimableZfsCache();
    linux_fs::KeptFile arcstats_{root_ / "proc/spl/kstat/zfs/arcstats"};
    bool zfsCacheMayShow_ = true;
    // Whether meminfo counts the machine's memory. A container's (lxcfs mounts one over the
    // kernel's) counts the container's alone, while arcstats is always the host's: its cache is
    // none of the container's. Asked once, of ZFS machines only.
    bool meminfoIsTheKernels();
    std::optional<bool> meminfoIsTheKernels_;

    // The lettered drive of a root path (letter, colon, backslash), assigning the letters on first
    // use; null when the letter has no drive.
    const linux_fs::DriveSlot* slotOf(std::string_view root);
    // The mount now behind a root path; nothing (last error set) when there is none.
    std::optional<linux_fs::MountEntry> mountedVolume(std::string_view root);
    // Whether a drive listed by its device (nothing was mounted from it) still has it.
    bool listedDevicePresent(const linux_fs::DriveSlot& slot) const;

    // The mount table, with what its devices are learnt once per read of it.
    const std::vector<linux_fs::MountEntry>& currentMounts();

    linux_fs::MountTable mountTable_{root_};
    linux_fs::BlockDeviceCache devices_{root_};
    // X displays asked for their docks, each by its name.
    BoundedQuestions displays_;
    // The desktop's panel settings, which lie in the home folder.
    BoundedQuestions panelSettings_;
    // Letters keep the drive they were given when the list was built, as drive letters do.
    std::optional<std::vector<linux_fs::DriveSlot>> slots_;
};

}  // namespace zarnel
