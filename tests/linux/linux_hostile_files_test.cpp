// Every file the provider reads, replaced by something hostile (a FIFO, a directory, a link
// loop, a 100 MB file, NUL bytes), answers as a missing file does: no read blocks, no junk
// shows.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <functional>

#include "platform/linux/linux_platform.h"
#include "tests/support/scratch_machine.h"
#include "tests/support/wayland_session.h"

namespace zarnel {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kHugeBytes = 100u << 20;
constexpr std::size_t kNulBytes = 4096;
constexpr std::uint32_t kBufferBytes = 128;

const linux_fs::UserEnvironment kUser = {.home = "/home/user",
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

enum class Hostile { Missing, Fifo, Directory, LinkLoop, Huge, NulBytes };

std::string describe(const WmiValue& value) {
    if (const auto* text = std::get_if<std::string>(&value)) return '"' + *text + '"';
    if (const auto* number = std::get_if<std::int64_t>(&value)) return std::to_string(*number);
    return "null";
}

std::string describe(const std::vector<WmiInstance>& instances) {
    std::string text;
    for (const WmiInstance& instance : instances) {
        for (const auto& [name, value] : instance) text += name + "=" + describe(value) + ";";
        text += "\n";
    }
    return text;
}

std::string nameAnswer(int result, std::span<const char> buffer, std::uint32_t error) {
    return std::to_string(result) + " [" + std::string(buffer.data()) + "] " +
           std::to_string(error);
}

std::string domainAnswer(LinuxPlatform& platform) {
    std::array<char, kBufferBytes> buffer{};
    std::uint32_t len = buffer.size();
    const int result =
        platform.getComputerNameEx(ComputerNameFormat::PhysicalDnsDomain, buffer, len);
    return nameAnswer(result, buffer, platform.lastError());
}

std::string computerNameAnswer(LinuxPlatform& platform) {
    std::array<char, kBufferBytes> buffer{};
    std::uint32_t len = buffer.size();
    const int result = platform.getComputerName(buffer, len);
    return nameAnswer(result, buffer, platform.lastError());
}

std::string processorAnswer(LinuxPlatform& platform) {
    return describe(platform.wmiInstances("Win32_Processor"));
}

std::string powerAnswer(LinuxPlatform& platform) {
    SystemPowerStatus status{};
    const int result = platform.getSystemPowerStatus(status);
    return std::to_string(result) + " " + std::to_string(status.ACLineStatus) + " " +
           std::to_string(status.BatteryFlag) + " " + std::to_string(status.BatteryLifePercent);
}

std::string taskbarAnswer(LinuxPlatform& platform, std::string_view desktop) {
    platform.environment.currentDesktop = desktop;
    return std::to_string(platform.appBarGetState());
}

std::string plasmaAnswer(LinuxPlatform& platform) {
    return taskbarAnswer(platform, "KDE");
}

std::string lxdeAnswer(LinuxPlatform& platform) {
    return taskbarAnswer(platform, "LXDE");
}

// Raspberry Pi OS on Wayland names its session only.
std::string piPanelAnswer(LinuxPlatform& platform) {
    platform.environment.desktopSession = "LXDE-pi-labwc";
    return taskbarAnswer(platform, "");
}

// A Wayland session that draws no panel of its own, where Waybar's bar tells.
std::string waybarAnswer(LinuxPlatform& platform) {
    testing::joinWaylandSession(platform.environment);
    return taskbarAnswer(platform, "Hyprland");
}

// sway, whose bars swaybar draws.
std::string swayAnswer(LinuxPlatform& platform) {
    testing::joinWaylandSession(platform.environment, true);
    return taskbarAnswer(platform, "sway");
}

// Wayfire, whose own panel wf-shell draws.
std::string wayfireAnswer(LinuxPlatform& platform) {
    testing::joinWaylandSession(platform.environment);
    return taskbarAnswer(platform, "Wayfire");
}

// A light X11 session (Openbox) whose panel is tint2.
std::string openboxAnswer(LinuxPlatform& platform) {
    return taskbarAnswer(platform, "Openbox");
}

// One reader: the file it reads, and its answer as text; `without` is a file removed first
// so that the reader's own file decides the answer; `runs`, a program of the user's that runs
// for this reader alone, whose settings no other reader's answer should meet.
struct ReaderRow {
    std::string_view name;
    std::string_view file;
    std::function<std::string(LinuxPlatform&)> answer;
    std::string_view without = {};
    std::string_view runs = {};
};

const ReaderRow kReaders[] = {
    {"Meminfo", "proc/meminfo",
     [](LinuxPlatform& p) {
         MemoryStatus status{.dwLength = sizeof(MemoryStatus)};
         p.globalMemoryStatus(status);
         // Each refusal has its own code; all of them leave the record zero and fail.
         return std::to_string(status.ullTotalPhys) + (p.lastError() != 0 ? " failed" : " ok");
     }},
    {"Cpuinfo", "proc/cpuinfo", processorAnswer},
    {"Dmi", "sys/class/dmi/id/bios_vendor",
     [](LinuxPlatform& p) { return describe(p.wmiInstances("Win32_BIOS")); }},
    {"Passwd", "etc/passwd",
     [](LinuxPlatform& p) { return describe(p.wmiInstances("Win32_OperatingSystem")); }},
    {"Hostname", "etc/hostname", computerNameAnswer, "proc/sys/kernel/hostname"},
    {"KernelHostname", "proc/sys/kernel/hostname", computerNameAnswer},
    {"DmiSocket", "sys/firmware/dmi/entries/4-0/raw", processorAnswer},
    {"CpuClock", "sys/devices/system/cpu/cpu0/cpufreq/scaling_cur_freq", processorAnswer},
    {"PowerSupplyFolder", "sys/class/power_supply", powerAnswer},
    {"Hosts", "etc/hosts", domainAnswer},
    {"ResolvConf", "etc/resolv.conf", domainAnswer, "etc/hosts"},
    {"UserDirs", "home/user/.config/user-dirs.dirs",
     [](LinuxPlatform& p) {
         std::array<char, kMaxPath> buffer{};
         const std::int32_t result = p.getFolderPath(0, 0, buffer);
         return nameAnswer(result, buffer, 0);
     }},
    {"PowerSupply", "sys/class/power_supply/BAT0/type", powerAnswer},
    {"UdevData", "run/udev/data/b8:1",
     [](LinuxPlatform& p) {
         std::array<char, kBufferBytes> label{};
         std::array<char, kBufferBytes> fileSystem{};
         std::uint32_t serial = 0;
         std::uint32_t length = 0;
         std::uint32_t flags = 0;
         const int result =
             p.getVolumeInformation("c:\\", label, serial, length, flags, fileSystem);
         return nameAnswer(result, label, p.lastError()) + " " + std::to_string(serial);
     }},
    {"BlockRemovable", "sys/class/block/sda1/removable",
     [](LinuxPlatform& p) { return std::to_string(p.getDriveType("c:\\")); }},
    {"PlasmaPanels", "home/user/.config/plasmashellrc", plasmaAnswer},
    {"PlasmaContainments", "home/user/.config/plasma-org.kde.plasma.desktop-appletsrc",
     plasmaAnswer},
    {"LxpanelPanel", "home/user/.config/lxpanel/LXDE/panels/panel", lxdeAnswer},
    {"LxpanelFolder", "home/user/.config/lxpanel/LXDE/panels", lxdeAnswer},
    {"WfPanelSettings", "home/user/.config/wf-panel-pi/wf-panel-pi.ini", piPanelAnswer},
    {"WfPanelMetadata", "usr/share/wf-panel-pi/metadata/panel-pi.xml", piPanelAnswer,
     "home/user/.config/wf-panel-pi/wf-panel-pi.ini"},
    {"WaybarSettings", "home/user/.config/waybar/config.jsonc", waybarAnswer},
    {"WaybarProcess", "proc/77/comm", waybarAnswer},
    {"SwayConfig", "home/user/.config/sway/config", swayAnswer},
    {"Tint2Settings", "home/user/.config/tint2/tint2rc", openboxAnswer, {}, "tint2"},
    {"WfShellSettings", "home/user/.config/wf-shell.ini", wayfireAnswer,
     "home/user/.config/waybar/config.jsonc"},
    {"Mountinfo", "proc/self/mountinfo",
     [](LinuxPlatform& p) {
         const DriveList drives = p.drives();
         std::string text = std::to_string(drives.selected);
         for (const std::string& entry : drives.entries) text += " " + entry;
         return text;
     }},
};

// A machine where every reader has a good file to read.
class HostileFiles : public ::testing::TestWithParam<std::tuple<std::size_t, Hostile>> {
  protected:
    void SetUp() override {
        write("proc/meminfo", "MemTotal: 1024 kB\nMemAvailable: 512 kB\n");
        write("proc/cpuinfo",
              "processor\t: 0\nvendor_id\t: GenuineIntel\nmodel name\t: Test CPU\n");
        write("sys/class/dmi/id/bios_vendor", "Test BIOS Inc.\n");
        write("sys/class/dmi/id/bios_date", "01/02/2020\n");
        write("etc/passwd",
              "user:x:" + std::to_string(::geteuid()) + ":100:Hanako Test,,,:/home/user:/bin/sh\n");
        write("etc/hostname", "desk\n");
        write("proc/sys/kernel/hostname", "kernelname\n");
        // A processor record of 5 bytes whose first string, its socket, is "CPU1".
        using std::string_literals::operator""s;
        write("sys/firmware/dmi/entries/4-0/raw",
              "\x04\x05\x00\x00\x01"
              "CPU1\0\0"s);
        write("sys/devices/system/cpu/cpu0/cpufreq/scaling_cur_freq", "2100000\n");
        write("etc/hosts", "192.0.2.1 kernelname.hosts.example kernelname\n");
        write("etc/resolv.conf", "domain resolv.example\n");
        write("home/user/.config/user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/机\"\n");
        fs::create_directories(root_ / "home/user/机");
        fs::create_directories(root_ / "home/user/Desktop");
        write("sys/class/power_supply/BAT0/type", "Battery\n");
        write("sys/class/power_supply/BAT0/capacity", "40\n");
        write("sys/class/power_supply/BAT0/status", "Discharging\n");
        write("sys/class/block/sda1/dev", "8:1\n");
        write("sys/class/block/sda1/removable", "1\n");
        write("run/udev/data/b8:1",
              "E:ID_FS_LABEL_ENC=SYSTEM\nE:ID_FS_UUID=0123-4567\nE:ID_FS_TYPE=ext4\n");
        // Panel 9 is left over from panels the shell no longer has.
        write("home/user/.config/plasmashellrc",
              "[PlasmaViews][Panel 2]\npanelVisibility=0\n[PlasmaViews][Panel 9]\n"
              "panelVisibility=1\n");
        write("home/user/.config/plasma-org.kde.plasma.desktop-appletsrc",
              "[Containments][2]\nplugin=org.kde.panel\n");
        write("home/user/.config/lxpanel/LXDE/panels/panel", "Global {\n  autohide=1\n}\n");
        write("home/user/.config/wf-panel-pi/wf-panel-pi.ini", "[panel]\nautohide=true\n");
        write("usr/share/wf-panel-pi/metadata/panel-pi.xml",
              "<option name=\"layer\" type=\"string\"><default>top</default></option>\n");
        write("home/user/.config/waybar/config.jsonc", "{\"layer\": \"top\"}\n");
        write("proc/77/comm", "waybar\n");
        write("proc/78/comm", "swaybar\n");
        write("home/user/.config/sway/config", "bar {\n  mode hide\n}\n");
        write("proc/79/comm", "wf-panel\n");
        write("home/user/.config/wf-shell.ini", "[panel]\nlayer = bottom\n");
        write("home/user/.config/tint2/tint2rc", "autohide = 1\n");
        write("proc/self/mountinfo",
              "1 0 8:1 / / rw - ext4 /dev/sda1 rw\n2 1 8:2 / /home rw - ext4 /dev/sda2 rw\n");
    }

    void write(const fs::path& relative, std::string_view text) {
        fs::create_directories((root_ / relative).parent_path());
        std::ofstream(root_ / relative) << text;
    }

    void replace(const fs::path& relative, Hostile kind) {
        const fs::path file = root_ / relative;
        fs::remove_all(file);
        switch (kind) {
            case Hostile::Missing:
                break;
            case Hostile::Fifo:
                ASSERT_EQ(::mkfifo(file.c_str(), S_IRUSR | S_IWUSR), 0);
                break;
            case Hostile::Directory:
                fs::create_directory(file);
                break;
            case Hostile::LinkLoop:
                fs::create_symlink(file.filename(), file);
                break;
            case Hostile::Huge: {
                // Sparse: 100 MB to the reader, nothing on the disk.
                const int fd =
                    ::open(file.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, S_IRUSR | S_IWUSR);
                ASSERT_GE(fd, 0);
                ASSERT_EQ(::ftruncate(fd, kHugeBytes), 0);
                ::close(fd);
                break;
            }
            case Hostile::NulBytes:
                std::ofstream(file) << std::string(kNulBytes, '\0');
                break;
        }
    }

    std::string answerWith(const ReaderRow& reader, Hostile kind) {
        replace(reader.file, kind);
        LinuxPlatform platform(root_);
        platform.environment = kUser;
        return reader.answer(platform);
    }

    const testing::ScratchMachine machine_;
    const fs::path& root_ = machine_.root();
};

TEST_P(HostileFiles, AnswerAsAMissingFileDoes) {
    const auto [index, kind] = GetParam();
    const ReaderRow& reader = kReaders[index];
    if (!reader.without.empty()) fs::remove(root_ / reader.without);
    if (!reader.runs.empty()) write("proc/80/comm", std::string(reader.runs) + "\n");
    LinuxPlatform good(root_);
    good.environment = kUser;
    const std::string goodAnswer = reader.answer(good);
    const std::string missingAnswer = answerWith(reader, Hostile::Missing);
    // Each good file matters to its reader, so "as if missing" is a real failure text.
    ASSERT_NE(goodAnswer, missingAnswer);
    EXPECT_EQ(answerWith(reader, kind), missingAnswer);
}

std::string rowName(const ::testing::TestParamInfo<std::tuple<std::size_t, Hostile>>& row) {
    constexpr std::array<std::string_view, 6> kKinds = {"Missing",  "Fifo", "Directory",
                                                        "LinkLoop", "Huge", "NulBytes"};
    const auto [index, kind] = row.param;
    return std::string(kReaders[index].name) + "_" +
           std::string(kKinds[static_cast<std::size_t>(kind)]);
}

INSTANTIATE_TEST_SUITE_P(EveryReader, HostileFiles,
                         ::testing::Combine(::testing::Range<std::size_t>(0, std::size(kReaders)),
                                            ::testing::Values(Hostile::Fifo, Hostile::Directory,
                                                              Hostile::LinkLoop, Hostile::Huge,
                                                              Hostile::NulBytes)),
                         rowName);

// The refusals carry their own codes, as the memory field's failure does on Windows.
TEST(HostileFiles, MemoryRefusalsKeepTheirCodes) {
    const testing::ScratchMachine machine;
    const fs::path& root = machine.root();
    const auto codeWith = [&root](const std::function<void(const fs::path&)>& make) {
        fs::remove(root / "proc/meminfo");
        make(root / "proc/meminfo");
        LinuxPlatform platform(root);
        MemoryStatus status{.dwLength = sizeof(MemoryStatus)};
        platform.globalMemoryStatus(status);
        return platform.lastError();
    };
    EXPECT_EQ(codeWith([](const fs::path&) {}), 2u);
    EXPECT_EQ(codeWith([](const fs::path& f) { fs::create_directory(f); }), 5u);
    EXPECT_EQ(codeWith([](const fs::path& f) { fs::create_symlink(f.filename(), f); }), 1921u);
    EXPECT_EQ(
        codeWith([](const fs::path& f) { std::ofstream(f) << std::string(kHugeBytes / 64, 'x'); }),
        223u);
    EXPECT_EQ(codeWith([](const fs::path& f) { std::ofstream(f) << std::string(kNulBytes, '\0'); }),
              13u);
}

// Files under etc may be links (a configuration manager's store); procfs files never are.
TEST(HostileFiles, LinksAreFollowedOnlyWhereTheyAreExpected) {
    const testing::ScratchMachine machine;
    const fs::path& root = machine.root();
    fs::create_directories(root / "store");
    fs::create_directories(root / "etc");
    std::ofstream(root / "store/hostname") << "linked\n";
    std::ofstream(root / "store/meminfo") << "MemTotal: 1024 kB\nMemAvailable: 512 kB\n";
    fs::create_symlink("../store/hostname", root / "etc/hostname");
    fs::create_symlink("../store/meminfo", root / "proc/meminfo");

    LinuxPlatform platform(root);
    std::array<char, kBufferBytes> buffer{};
    std::uint32_t len = buffer.size();
    ASSERT_EQ(platform.getComputerName(buffer, len), 1);
    EXPECT_STREQ(buffer.data(), "LINKED");
    MemoryStatus status{.dwLength = sizeof(MemoryStatus)};
    platform.globalMemoryStatus(status);
    EXPECT_EQ(status.ullTotalPhys, 0u);
    EXPECT_EQ(platform.lastError(), 1921u);
}

}  // namespace
}  // namespace zarnel
