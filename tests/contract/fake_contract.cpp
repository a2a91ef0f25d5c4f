#include "platform/fake/fake_platform.h"
#include "tests/contract/platform_contract.h"

namespace zarnel::contract {
namespace {

std::unique_ptr<Platform> twoProcessorFake() {
    auto fake = std::make_unique<FakePlatform>();
    fake->records.wmi["Win32_Processor"] = {
        {{"DeviceID", "CPU0"}, {"Name", "First"}, {"SocketDesignation", std::monostate{}}},
        {{"DeviceID", "CPU1"}, {"Name", "Second"}, {"SocketDesignation", std::monostate{}}}};
    return fake;
}

INSTANTIATE_TEST_SUITE_P(Fake, PlatformContract,
                         ::testing::Values(ContractCase{
                             .name = "TwoProcessors",
                             .make = twoProcessorFake,
                             .orderedProperty = "DeviceID",
                             .orderedValues = {"CPU0", "CPU1"},
                             .nullClass = "Win32_Processor",
                             .nullProperty = "SocketDesignation",
                         }),
                         caseName);

}  // namespace
}  // namespace zarnel::contract
