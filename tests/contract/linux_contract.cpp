#include <unistd.h>

#include "platform/linux/linux_platform.h"
#include "tests/contract/platform_contract.h"

namespace zarnel::contract {
namespace {

std::unique_ptr<Platform> twoSocketServer() {
    auto platform = std::make_unique<LinuxPlatform>(ZARNEL_FIXTURES_DIR "/two-socket-server");
    platform->environment = {.home = "/home/admin",
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
    // The machine's own user, whatever user runs the tests (one without an entry, in a
    // container, would fail every name question).
    platform->nameService = linux_fs::NameService([] {
        return linux_fs::UserLookup(
            linux_fs::UserEntry{.login = "admin", .gecos = "", .home = "/home/admin"});
    });
    return platform;
}

// A BIOS version is null unless the firmware tables say it.
INSTANTIATE_TEST_SUITE_P(Linux, PlatformContract,
                         ::testing::Values(ContractCase{
                             .name = "TwoSocketServer",
                             .make = twoSocketServer,
                             .orderedProperty = "SocketDesignation",
                             .orderedValues = {"CPU1", "CPU2"},
                             .nullClass = "Win32_BIOS",
                             .nullProperty = "Version",
                         }),
                         caseName);

}  // namespace
}  // namespace zarnel::contract
