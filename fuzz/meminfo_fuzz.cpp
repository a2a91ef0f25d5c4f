// proc/meminfo: never more available than total, a load in percent.
#include "fuzz/fuzz_input.h"
#include "platform/linux/meminfo.h"

namespace {

constexpr std::uint32_t kFullLoad = 100;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zarnel;
    const auto status =
        linux_fs::memoryStatusFrom(linux_fs::parseMeminfo(fuzz::textOf(data, size)));
    if (status) {
        fuzz::require(status->ullAvailPhys <= status->ullTotalPhys);
        fuzz::require(status->ullTotalPhys > 0);
        fuzz::require(status->dwMemoryLoad <= kFullLoad);
    }
    return 0;
}
