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
                             .workingDirectory = "/",
                             .currentDesktop = "",
                             .kdeSessionVersion = "",
                             .userId = ::geteuid()};
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
