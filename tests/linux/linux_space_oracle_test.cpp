// Oracle: the Linux provider's space figures for "/" against df on this machine.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <sstream>

#include "platform/linux/linux_platform.h"

namespace zarnel {
namespace {

struct DfFigures {
    std::uint64_t total = 0;
    std::uint64_t available = 0;
};

std::optional<DfFigures> dfOfRoot() {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(
        ::popen("df -B1 --output=size,avail / 2>/dev/null", "r"), ::pclose);
    if (!pipe) return std::nullopt;
    std::string text;
    char chunk[256];
    while (std::fgets(chunk, sizeof chunk, pipe.get())) text += chunk;
    std::istringstream in(text);
    std::string header1;
    std::string header2;
    DfFigures figures;
    if (!(in >> header1 >> header2 >> figures.total >> figures.available)) return std::nullopt;
    return figures;
}

TEST(SpaceOracle, RootAgreesWithDf) {
    const auto df = dfOfRoot();
    if (!df) GTEST_SKIP() << "df is not available";
    LinuxPlatform platform("/");
    std::uint64_t available = 0;
    std::uint64_t total = 0;
    std::uint64_t totalFree = 0;
    ASSERT_EQ(platform.getDiskFreeSpaceEx("c:\\", available, total, totalFree), 1);
    EXPECT_EQ(total, df->total);
    // Other programs write meanwhile: allow 1 % of the volume or 64 MiB.
    const double tolerance = std::max(0.01 * static_cast<double>(total), 64.0 * 1024 * 1024);
    EXPECT_NEAR(static_cast<double>(available), static_cast<double>(df->available), tolerance);
    EXPECT_LE(available, totalFree);
}

}  // namespace
}  // namespace zarnel
