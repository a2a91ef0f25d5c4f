// This machine's memory as the Linux provider reads it, against `free -b`.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "platform/linux/arcstats.h"
#include "platform/linux/linux_platform.h"
#include "platform/linux/read_file.h"

namespace zarnel {
namespace {

// Rounding and the moment between a reading and `free`'s own.
constexpr double kAvailableTolerance = 0.02;  // of the total
constexpr double kLoadTolerance = 2.0;        // percentage points
constexpr double kPercent = 100.0;

struct FreeFigures {
    std::uint64_t total = 0;
    std::uint64_t available = 0;
};

// The "Mem:" line of `free -b`: total used free shared buff/cache available.
std::optional<FreeFigures> runFree() {
    FILE* pipe = ::popen("free -b 2>/dev/null", "r");
    if (!pipe) return std::nullopt;
    std::string text;
    char chunk[512];
    while (std::fgets(chunk, sizeof chunk, pipe)) text += chunk;
    if (::pclose(pipe) != 0) return std::nullopt;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string label;
        FreeFigures figures;
        std::uint64_t used = 0, free = 0, shared = 0, cache = 0;
        if (fields >> label && label == "Mem:" &&
            fields >> figures.total >> used >> free >> shared >> cache >> figures.available) {
            return figures;
        }
    }
    return std::nullopt;
}

// Whether proc/meminfo is the kernel's own, not a container's file mounted over it (lxcfs).
bool meminfoIsTheKernels() {
    constexpr int kMountPointField = 5;
    std::ifstream table("/proc/self/mountinfo");
    for (std::string line; std::getline(table, line);) {
        std::istringstream fields(line);
        std::string field;
        for (int i = 0; i < kMountPointField && fields >> field; ++i) {
        }
        if (field == "/proc/meminfo") return false;
    }
    return true;
}

// ZFS's cache above its floor, which the provider counts as available with the kernel's own
// figures and `free` leaves out; 0 on a machine without ZFS.
std::uint64_t zfsCacheBytes() {
    const auto arcstats = linux_fs::readFile("/", "proc/spl/kstat/zfs/arcstats");
    if (!arcstats || !meminfoIsTheKernels()) return 0;
    return linux_fs::reclaimableArcBytes(*arcstats).value_or(0);
}

MemoryStatus providerReading() {
    LinuxPlatform platform;
    MemoryStatus status;
    status.dwLength = sizeof status;
    platform.globalMemoryStatus(status);
    return status;
}

// Read before and after `free`, so that memory another program takes meanwhile widens the range
// the answer must fall in rather than failing the test.
TEST(MemoryOracle, LinuxProviderAgreesWithFree) {
    const MemoryStatus before = providerReading();
    auto expected = runFree();
    if (!expected) GTEST_SKIP() << "free -b is not available here";
    expected->available = std::min(expected->total, expected->available + zfsCacheBytes());
    const MemoryStatus after = providerReading();
    // A machine whose memory is added or taken while it runs (a VM's dynamic memory) may change
    // the total between the readings too.
    const auto [smallest, largest] = std::minmax(before.ullTotalPhys, after.ullTotalPhys);
    EXPECT_GE(expected->total, smallest);
    EXPECT_LE(expected->total, largest);
    const double slack = static_cast<double>(expected->total) * kAvailableTolerance;
    const auto [fewest, most] = std::minmax(before.ullAvailPhys, after.ullAvailPhys);
    EXPECT_GE(static_cast<double>(expected->available), static_cast<double>(fewest) - slack);
    EXPECT_LE(static_cast<double>(expected->available), static_cast<double>(most) + slack);
    const double load = kPercent * static_cast<double>(expected->total - expected->available) /
                        static_cast<double>(expected->total);
    const auto [lightest, heaviest] = std::minmax(before.dwMemoryLoad, after.dwMemoryLoad);
    EXPECT_GE(load, lightest - kLoadTolerance);
    EXPECT_LE(load, heaviest + kLoadTolerance);
}

}  // namespace
}  // namespace zarnel
