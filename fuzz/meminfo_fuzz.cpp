// proc/meminfo, and ZFS's arcstats after the record separator: never more available than
// total, a load in percent.
#include "fuzz/fuzz_input.h"
#include "platform/linux/arcstats.h"
#include "platform/linux/meminfo.h"

namespace {

constexpr std::uint32_t kFullLoad = 100;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zarnel;
    const auto parts = fuzz::partsOf(fuzz::textOf(data, size), 2);
    const auto status = linux_fs::memoryStatusFrom(
        linux_fs::parseMeminfo(parts[0]), linux_fs::reclaimableArcBytes(parts[1]).value_or(0));
    if (status) {
        fuzz::require(status->ullAvailPhys <= status->ullTotalPhys);
        fuzz::require(status->ullTotalPhys > 0);
        fuzz::require(status->dwMemoryLoad <= kFullLoad);
    }
    return 0;
}
