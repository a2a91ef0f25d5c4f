#include "platform/win32/win32_platform.h"
#include "tests/contract/platform_contract.h"

namespace zarnel::contract {
namespace {

std::unique_ptr<Platform> thisMachine() {
    return std::make_unique<Win32Platform>();
}

// The machine the tests run on: under wine, one processor whatever the host has, and wine's
// Win32_Processor lists UniqueId as null (so does Windows on most processors).
INSTANTIATE_TEST_SUITE_P(Win32, PlatformContract,
                         ::testing::Values(ContractCase{
                             .name = "ThisMachine",
                             .make = thisMachine,
                             .orderedProperty = {},
                             .orderedValues = {},
                             .nullClass = "Win32_Processor",
                             .nullProperty = "UniqueId",
                         }),
                         caseName);

}  // namespace
}  // namespace zarnel::contract
