// The parts of the process environment the provider reads, held apart so tests can set them.
#pragma once

#include <string>

namespace zarnel::linux_fs {

struct UserEnvironment {
    std::string home;              // $HOME
    std::string xdgConfigHome;     // $XDG_CONFIG_HOME
    std::string workingDirectory;  // where the program was started

    static UserEnvironment fromProcess();
};

}  // namespace zarnel::linux_fs
