// Special folders on a Linux desktop, in a scratch tree standing for the machine's root.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>

#include "platform/errors.h"
#include "platform/linux/linux_platform.h"
#include "platform/linux/passwd.h"
#include "tests/support/scoped_variable.h"
#include "tests/support/scratch_machine.h"
#include "tests/support/stalled_server.h"

namespace zarnel {
namespace {

namespace fs = std::filesystem;

constexpr int kCreate = 0x8000;

class Folders : public ::testing::Test {
  protected:
    void SetUp() override {
        // The common desktop umask, under which a folder made with its defaults is listable by
        // all: one made for its user alone shows.
        umask_ = ::umask(S_IWGRP | S_IWOTH);
        for (const char* folder :
             {"home/alice/.config", "usr/share/fonts", "usr/share/applications", "usr/lib"}) {
            fs::create_directories(root_ / folder);
        }
        platform_.emplace(root_);
        platform_->environment = {.home = "/home/alice",
                                  .xdgConfigHome = "",
                                  .xdgDataHome = "",
                                  .xdgConfigDirs = "",
                                  .xdgDataDirs = "",
                                  .workingDirectory = "/",
                                  .currentDesktop = "",
                                  .kdeSessionVersion = "",
                                  .desktopSession = "",
                                  .x11Display = "",
                                  .waylandDisplay = "",
                                  .swaySocket = "",
                                  .numericLocale = "C",
                                  .userId = ::geteuid(),
                                  .groupId = ::getegid()};
        write("home/alice/.config/user-dirs.dirs",
              "XDG_DESKTOP_DIR=\"$HOME/デスクトップ\"\n"
              "XDG_DOCUMENTS_DIR=\"$HOME/My \\\"Docs\\\"\"\n"
              "XDG_TEMPLATES_DIR=\"/srv/templates\"\n");
    }
    void TearDown() override { ::umask(umask_); }

    void write(const fs::path& relative, std::string_view text) {
        fs::create_directories((root_ / relative).parent_path());
        std::ofstream(root_ / relative) << text;
    }
    // The path shown for a folder number, or nothing when the lookup fails (and then the
    // buffer must still be all NUL).
    std::optional<std::string> lookup(int csidl) {
        std::string buffer(kMaxPath, '\0');
        const std::int32_t result = platform_->getFolderPath(0, csidl, buffer);
        if (result != kSOk) {
            EXPECT_EQ(buffer, std::string(kMaxPath, '\0'));
            return std::nullopt;
        }
        return std::string(buffer.c_str());
    }
    bool exists(const std::string& machinePath) const {
        return fs::exists(root_ / fs::path(machinePath).relative_path());
    }
    // Who may do what in a folder: its permission bits.
    mode_t permissions(const std::string& machinePath) const {
        struct stat info {};
        EXPECT_EQ(::stat((root_ / fs::path(machinePath).relative_path()).c_str(), &info), 0);
        return info.st_mode & (S_IRWXU | S_IRWXG | S_IRWXO);
    }

    const testing::ScratchMachine machine_;
    const fs::path& root_ = machine_.root();
    std::optional<LinuxPlatform> platform_;
    mode_t umask_ = 0;
};

struct FolderRow {
    int csidl;
    std::optional<std::string> path;
};

TEST_F(Folders, EveryRowWithTheCreateFlag) {
    const std::vector<FolderRow> rows = {
        {0, "/home/alice/デスクトップ"},
        {2, "/home/alice/.local/share/applications"},
        {5, "/home/alice/My \"Docs\""},
        {6, std::nullopt},
        {7, "/home/alice/.config/autostart"},
        {11, "/home/alice/.local/share/applications"},
        {20, "/usr/share/fonts"},
        {21, std::nullopt},  // outside $HOME and missing: never made
        {22, "/usr/share/applications"},
        {23, "/usr/share/applications"},
        {24, std::nullopt},  // missing common folder: never made
        {25, std::nullopt},
        {31, std::nullopt},
        {36, "/"},
        {37, "/usr/lib"},
        {38, std::nullopt},
    };
    for (const FolderRow& row : rows) {
        EXPECT_EQ(lookup(row.csidl | kCreate), row.path) << "folder " << row.csidl;
        if (row.path) {
            EXPECT_TRUE(exists(*row.path)) << *row.path;
        }
    }
    EXPECT_FALSE(exists("/srv/templates"));
    EXPECT_FALSE(exists("/etc/xdg/autostart"));
    EXPECT_FALSE(exists("/usr/bin"));
    // The data folder the rows needed was made for its user alone, as the base-directory
    // rules make it: other programs keep their secrets there.
    EXPECT_EQ(permissions("/home/alice/.local"), S_IRWXU);
    EXPECT_EQ(permissions("/home/alice/.local/share"), S_IRWXU);
}

// A settings folder named through ".." is made where the path leads, not through a folder the
// ".." passes by (which might be a link to elsewhere).
TEST_F(Folders, ASettingsFolderIsMadeWhereItsPathLeads) {
    platform_->environment.xdgDataHome = "/home/alice/nothere/../.local/share";
    EXPECT_EQ(lookup(2 | kCreate), "/home/alice/.local/share/applications");
    EXPECT_FALSE(exists("/home/alice/nothere"));
    EXPECT_EQ(permissions("/home/alice/.local/share"), S_IRWXU);
}

TEST_F(Folders, MissingFolderWithoutTheCreateFlagFails) {
    EXPECT_EQ(lookup(0), std::nullopt);
    EXPECT_FALSE(exists("/home/alice/デスクトップ"));
    EXPECT_EQ(lookup(kCreate), "/home/alice/デスクトップ");
    EXPECT_EQ(lookup(0), "/home/alice/デスクトップ");  // there now
}

// Documents on a NAS whose server went away: the lookup fails after one short wait, asking
// again does not wait again while the first question is unanswered, and the desktop folder,
// which is elsewhere, still answers.
TEST_F(Folders, AFolderOnAShareWhoseServerIsGoneFailsAfterOneShortWait) {
    const testing::StalledServer server;
    const fs::path documents = root_ / "home/alice/My \"Docs\"";
    platform_->folderCheck = linux_fs::FolderCheck([server, documents](const fs::path& folder) {
        if (folder != documents) return fs::is_directory(folder);
        server.hold();
        return true;
    });
    EXPECT_EQ(lookup(5 | kCreate), std::nullopt);
    EXPECT_EQ(lookup(5 | kCreate), std::nullopt);
    EXPECT_EQ(server.callsOnceOneArrived(), 1);
    EXPECT_EQ(lookup(kCreate), "/home/alice/デスクトップ");
    server.answer();
}

// A home on a share whose server is gone: the folder settings in it are not waited for again
// while the first read is unanswered, and a folder that needs no settings still answers.
TEST_F(Folders, SettingsInAHomeWhoseServerIsGoneFailAfterOneShortWait) {
    const testing::StalledServer server;
    platform_->userDirsFile = linux_fs::UserDirsFile([server](const fs::path&, const fs::path&) {
        server.hold();
        return linux_fs::SettingsText{.text = std::nullopt, .error = ENOENT};
    });
    EXPECT_EQ(lookup(kCreate), std::nullopt);
    EXPECT_EQ(lookup(5 | kCreate), std::nullopt);
    EXPECT_EQ(server.callsOnceOneArrived(), 1);
    EXPECT_EQ(lookup(7 | kCreate), "/home/alice/.config/autostart");
    server.answer();
}

// Whether the window has been told of a late answer, waiting a long while for it (a fault that
// never tells fails rather than hangs).
bool toldOfALateAnswer(const LinuxPlatform& platform) {
    constexpr int kLongWhileMs = 30'000;
    pollfd told{.fd = platform.lateShareAnswers.descriptor(), .events = POLLIN, .revents = 0};
    return ::poll(&told, 1, kLongWhileMs) == 1;
}

// When the server answers after all, the window is told, and the folder shown again gets that
// answer without asking the server a second time.
TEST_F(Folders, AFolderOnAShareThatAnswersLateIsShownWhenItDoes) {
    const testing::StalledServer server;
    const fs::path documents = root_ / "home/alice/My \"Docs\"";
    platform_->folderCheck = linux_fs::FolderCheck(
        [server, documents](const fs::path& folder) {
            if (folder != documents) return fs::is_directory(folder);
            server.hold();
            return true;
        },
        platform_->folderAnswerKeeping());
    EXPECT_EQ(lookup(5 | kCreate), std::nullopt);
    server.answer();
    ASSERT_TRUE(toldOfALateAnswer(*platform_));
    std::optional<std::string> shown;
    platform_->showLateAnswers([&](const LateNews&) { shown = lookup(5 | kCreate); });
    EXPECT_EQ(shown, "/home/alice/My \"Docs\"");
    EXPECT_EQ(server.callsOnceOneArrived(), 1);
}

// Settings in a home whose server answers late: shown again, the folder they name is looked at
// without waiting, and that answer in turn shows it.
TEST_F(Folders, SettingsThatAnswerLateShowTheirFolderWhenTheyDo) {
    const testing::StalledServer server;
    platform_->userDirsFile = linux_fs::UserDirsFile(
        [server](const fs::path& root, const fs::path& relative) {
            server.hold();
            return linux_fs::readSettings(root, relative);
        },
        platform_->folderAnswerKeeping());
    EXPECT_EQ(lookup(kCreate), std::nullopt);
    server.answer();
    std::optional<std::string> shown;
    for (int told = 0; told < 2 && !shown; ++told) {
        ASSERT_TRUE(toldOfALateAnswer(*platform_));
        platform_->showLateAnswers([&](const LateNews&) { shown = lookup(kCreate); });
    }
    EXPECT_EQ(shown, "/home/alice/デスクトップ");
    EXPECT_EQ(server.callsOnceOneArrived(), 1);
}

TEST_F(Folders, UnknownNumberFails) {
    EXPECT_EQ(lookup(99 | kCreate), std::nullopt);
}

TEST_F(Folders, HomeWithATrailingSlashShowsTidyPaths) {
    platform_->environment.home = "/home/alice/";
    EXPECT_EQ(lookup(kCreate), "/home/alice/デスクトップ");
    fs::remove(root_ / "home/alice/.config/user-dirs.dirs");
    EXPECT_EQ(lookup(5 | kCreate), "/home/alice");
}

// Moved settings and data folders hold the folder settings, the programs started with the
// session and the menu's programs; nothing is made where they were.
TEST_F(Folders, MovedSettingsAndDataFoldersAreHonoured) {
    platform_->environment.xdgConfigHome = "/home/alice/alt";
    platform_->environment.xdgDataHome = "/home/alice/data";
    write("home/alice/alt/user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n");
    EXPECT_EQ(lookup(kCreate), "/home/alice/Schreibtisch");
    EXPECT_EQ(lookup(7 | kCreate), "/home/alice/alt/autostart");
    EXPECT_EQ(lookup(2 | kCreate), "/home/alice/data/applications");
    EXPECT_EQ(lookup(11 | kCreate), "/home/alice/data/applications");
    EXPECT_FALSE(exists("/home/alice/.config/autostart"));
    EXPECT_FALSE(exists("/home/alice/.local"));
}

// A settings or data folder moved out of the home is the user's own: its folders are made there.
TEST_F(Folders, MovedSettingsAndDataFoldersOutsideTheHomeAreFurnished) {
    fs::create_directories(root_ / "data/alice/cfg");
    platform_->environment.xdgDataHome = "/data/alice";
    platform_->environment.xdgConfigHome = "/data/alice/cfg";
    EXPECT_EQ(lookup(2 | kCreate), "/data/alice/applications");
    EXPECT_EQ(lookup(7 | kCreate), "/data/alice/cfg/autostart");
    EXPECT_TRUE(exists("/data/alice/applications"));
    EXPECT_TRUE(exists("/data/alice/cfg/autostart"));
}

// A path longer than the caller's room is refused, and nothing is made for it.
TEST_F(Folders, APathTooLongToShowIsNotMade) {
    const std::string part(kMaxPath / 2, 'b');
    write("home/alice/.config/user-dirs.dirs",
          "XDG_DOCUMENTS_DIR=\"$HOME/" + part + "/" + part + "\"\n");
    EXPECT_EQ(lookup(5 | kCreate), std::nullopt);
    EXPECT_FALSE(exists("/home/alice/" + part));
    EXPECT_EQ(platform_->lastError(), win32_error::kMoreData);
}

TEST_F(Folders, WithoutEntriesDesktopAndDocumentsFallBack) {
    fs::remove(root_ / "home/alice/.config/user-dirs.dirs");
    EXPECT_EQ(lookup(kCreate), "/home/alice/Desktop");
    EXPECT_EQ(lookup(5 | kCreate), "/home/alice");
}

// Folder settings that are there and cannot be read (their permissions, a share's stale
// handle) may name other folders than the defaults: no default is shown, and none is made
// beside the folder they name.
TEST_F(Folders, SettingsThatCannotBeReadShowNoDefault) {
    for (const int error : {EACCES, EIO, ESTALE}) {
        platform_->userDirsFile = linux_fs::UserDirsFile([error](const fs::path&, const fs::path&) {
            return linux_fs::SettingsText{.text = std::nullopt, .error = error};
        });
        EXPECT_EQ(lookup(kCreate), std::nullopt) << error;
        EXPECT_EQ(lookup(5 | kCreate), std::nullopt) << error;
    }
    EXPECT_FALSE(exists("/home/alice/Desktop"));
    EXPECT_EQ(lookup(7 | kCreate), "/home/alice/.config/autostart") << "needs no settings";
}

// A socket in place of the settings file is junk, as a folder or a pipe there is (those the
// hostile-files tests put there): the folders are the defaults.
TEST_F(Folders, ASocketInPlaceOfTheSettingsLeavesTheDefaults) {
    const fs::path settings = root_ / "home/alice/.config/user-dirs.dirs";
    fs::remove(settings);
    const int listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    ASSERT_GE(listener, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(settings.string().size(), sizeof address.sun_path);
    settings.string().copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    EXPECT_EQ(lookup(kCreate), "/home/alice/Desktop");
    ::close(listener);
}

TEST_F(Folders, NothingIsMadeOutsideHome) {
    fs::create_directories(root_ / "outside");
    fs::create_directory_symlink(root_ / "outside", root_ / "home/alice/link");
    for (const char* line :
         {"XDG_DESKTOP_DIR=\"$HOME/../bob/Desktop\"\n", "XDG_DESKTOP_DIR=\"$HOME/link/Desktop\"\n",
          "XDG_DESKTOP_DIR=\"/etc/Desktop\"\n"}) {
        write("home/alice/.config/user-dirs.dirs", line);
        EXPECT_EQ(lookup(kCreate), std::nullopt) << line;
    }
    EXPECT_FALSE(exists("/home/bob"));
    EXPECT_FALSE(exists("/outside/Desktop"));
    EXPECT_FALSE(exists("/etc/Desktop"));
}

// Run as root with a user's $HOME kept (sudo -E), the program must not leave that user
// folders owned by root in their home; its own home it still furnishes.
TEST_F(Folders, NothingIsMadeInAHomeOfAnotherUser) {
    struct stat home {};
    ASSERT_EQ(::stat((root_ / "home/alice").c_str(), &home), 0);
    platform_->environment.userId = home.st_uid + 1;
    EXPECT_EQ(lookup(kCreate), std::nullopt);
    EXPECT_EQ(lookup(7 | kCreate), std::nullopt);
    EXPECT_FALSE(exists("/home/alice/デスクトップ"));
    EXPECT_FALSE(exists("/home/alice/.config/autostart"));
    EXPECT_EQ(lookup(20 | kCreate), "/usr/share/fonts");  // what exists is still shown

    platform_->environment.userId = home.st_uid;
    EXPECT_EQ(lookup(7 | kCreate), "/home/alice/.config/autostart");
    EXPECT_TRUE(exists("/home/alice/.config/autostart"));
}

TEST_F(Folders, HomeAtTheRootOrUnsetMakesNothing) {
    fs::remove(root_ / "home/alice/.config/user-dirs.dirs");
    platform_->environment = {.home = "/",
                              .xdgConfigHome = "",
                              .xdgDataHome = "",
                              .xdgConfigDirs = "",
                              .xdgDataDirs = "",
                              .workingDirectory = "/",
                              .currentDesktop = "",
                              .kdeSessionVersion = "",
                              .desktopSession = "",
                              .x11Display = "",
                              .waylandDisplay = "",
                              .swaySocket = "",
                              .numericLocale = "C",
                              .userId = ::geteuid(),
                              .groupId = ::getegid()};
    EXPECT_EQ(lookup(kCreate), std::nullopt);
    EXPECT_FALSE(exists("/Desktop"));
    platform_->environment = {.home = "",
                              .xdgConfigHome = "",
                              .xdgDataHome = "",
                              .xdgConfigDirs = "",
                              .xdgDataDirs = "",
                              .workingDirectory = "/",
                              .currentDesktop = "",
                              .kdeSessionVersion = "",
                              .desktopSession = "",
                              .x11Display = "",
                              .waylandDisplay = "",
                              .swaySocket = "",
                              .numericLocale = "C",
                              .userId = ::geteuid(),
                              .groupId = ::getegid()};
    EXPECT_EQ(lookup(2 | kCreate), std::nullopt);
    EXPECT_EQ(lookup(20 | kCreate), "/usr/share/fonts");  // machine folders need no $HOME
}

// Run as `env -u HOME` (or with HOME empty, or relative, which names no folder wherever the
// program runs from): the folders are those of the passwd home, as with HOME set to it.
TEST(FoldersWithoutHome, ComeFromThePasswdHome) {
    const auto user = linux_fs::effectiveUser();
    if (!user || user->home.empty()) GTEST_SKIP() << "the effective user has no passwd entry";
    const testing::ScopedVariable home("HOME", user->home.c_str());
    const auto desktopAndDocuments = [] {
        LinuxPlatform platform("/");
        std::vector<std::string> paths;
        for (int csidl : {0, 5, 7}) {
            std::string path(kMaxPath, '\0');
            platform.getFolderPath(0, csidl, path);
            paths.push_back(path.c_str());
        }
        return std::pair(platform.environment.home, paths);
    };
    const auto withHome = desktopAndDocuments();
    home.set(nullptr);
    const auto unset = desktopAndDocuments();
    home.set("");
    const auto empty = desktopAndDocuments();
    home.set("relative/home");
    const auto relative = desktopAndDocuments();
    EXPECT_EQ(unset.first, user->home);
    EXPECT_EQ(unset, withHome);
    EXPECT_EQ(empty, withHome);
    EXPECT_EQ(relative, withHome);
}

// A relative XDG base folder ("~/.config" left unexpanded) is invalid and ignored, as every
// desktop program ignores it: the user's folders and panels are read from the home's.
TEST(UserEnvironment, RelativeBaseFoldersFallBackToTheHome) {
    linux_fs::UserEnvironment environment;
    environment.home = "/home/a";
    environment.xdgConfigHome = "~/.config";
    environment.xdgDataHome = "share";
    EXPECT_EQ(environment.configHome(), "/home/a/.config");
    EXPECT_EQ(environment.dataHome(), "/home/a/.local/share");
    environment.xdgConfigDirs = "etc:/etc/xdg/lubuntu::/etc/xdg";
    EXPECT_EQ(environment.configDirs(), (std::vector<std::string>{"/etc/xdg/lubuntu", "/etc/xdg"}));
    environment.xdgConfigDirs = "~/etc";
    EXPECT_EQ(environment.configDirs(), std::vector<std::string>{"/etc/xdg"});
    EXPECT_EQ(environment.dataDirs(), (std::vector<std::string>{"/usr/local/share", "/usr/share"}));
    environment.xdgDataDirs = "share:/run/current-system/sw/share";
    EXPECT_EQ(environment.dataDirs(), std::vector<std::string>{"/run/current-system/sw/share"});
}

}  // namespace
}  // namespace zarnel
