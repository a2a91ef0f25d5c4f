#include "platform/linux/user_environment.h"

#include <cstdlib>
#include <filesystem>

namespace zarnel::linux_fs {
namespace {

std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

UserEnvironment UserEnvironment::fromProcess() {
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    return {.home = variable("HOME"),
            .xdgConfigHome = variable("XDG_CONFIG_HOME"),
            .workingDirectory = error ? std::string() : current.string()};
}

}  // namespace zarnel::linux_fs
