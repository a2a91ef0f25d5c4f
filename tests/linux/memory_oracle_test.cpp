// This machine's memory as the Linux provider reads it, against `free -b`.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <sstream>
#include <string>

#include "platform/linux/linux_platform.h"

namespace zarnel {
namespace {

// Available memory moves between the two readings.
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

TEST(MemoryOracle, LinuxProviderAgreesWithFree) {
    const auto expected = runFree();
    if (!expected) GTEST_SKIP() << "free -b is not available here";
    LinuxPlatform platform;
    MemoryStatus status;
    status.dwLength = sizeof status;
    platform.globalMemoryStatus(status);
    EXPECT_EQ(status.ullTotalPhys, expected->total);
    const double tolerance = static_cast<double>(expected->total) * kAvailableTolerance;
    EXPECT_NEAR(static_cast<double>(status.ullAvailPhys), static_cast<double>(expected->available),
                tolerance);
    const double load = kPercent * static_cast<double>(expected->total - expected->available) /
                        static_cast<double>(expected->total);
    EXPECT_NEAR(status.dwMemoryLoad, load, kLoadTolerance);
}

}  // namespace
}  // namespace zarnel
