// The parts of the process environment the provider reads, held apart so tests can set them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/linux/name_service.h"

namespace zarnel::linux_fs {

struct UserEnvironment {
    std::string home;              // $HOME, else the passwd entry's home folder
    std::string xdgConfigHome;     // $XDG_CONFIG_HOME
    std::string xdgDataHome;       // $XDG_DATA_HOME
    std::string xdgConfigDirs;     // $XDG_CONFIG_DIRS: "/etc/xdg/lubuntu:/etc/xdg"
    std::string xdgDataDirs;       // $XDG_DATA_DIRS: "/usr/share/gnome:/usr/local/share:/usr/share"
    std::string workingDirectory;  // where the program was started
    std::string currentDesktop;    // $XDG_CURRENT_DESKTOP: "ubuntu:GNOME", "KDE"
    std::string kdeSessionVersion;  // $KDE_SESSION_VERSION: "5", "6"
    std::string desktopSession;     // $DESKTOP_SESSION: "LXDE-pi", "plasma"
    std::string x11Display;         // $DISPLAY: ":0"
    std::string waylandDisplay;     // $WAYLAND_DISPLAY: "wayland-0"
    std::string swaySocket;         // $SWAYSOCK, which sway gives the programs of its session
    std::string numericLocale;  // numbers' locale: $LC_ALL, else $LC_NUMERIC, else $LANG, else C
    std::uint32_t userId = 0;   // the effective user, who owns what the program makes
    std::uint32_t groupId = 0;  // the effective group, whose quota bounds what the user writes

    // Where the user's settings files live: $XDG_CONFIG_HOME when absolute, else ~/.config.
    std::string configHome() const;
    // Where the user's installed data lives: $XDG_DATA_HOME when absolute, else ~/.local/share.
    std::string dataHome() const;
    // Where the machine's settings files live, most important first: the absolute folders of
    // $XDG_CONFIG_DIRS, else /etc/xdg.
    std::vector<std::string> configDirs() const;
    // Where the machine's installed data lives, most important first: the absolute folders of
    // $XDG_DATA_DIRS, else /usr/local/share and /usr/share.
    std::vector<std::string> dataDirs() const;

    // The home folder comes from `names` when $HOME is unset.
    static UserEnvironment fromProcess(const NameService& names);
    // The home folder from `names`, where it had none when the process's $HOME names no folder:
    // a directory server that answered only after the window opened tells it late. Whether it
    // learnt one now.
    bool learnHomeFrom(const NameService& names);
};

}  // namespace zarnel::linux_fs
