// The Linux provider's space figures: for "/" against df on this machine, and the size a
// volume's users may fill.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <sstream>

#include "platform/linux/byte_count.h"
#include "platform/linux/linux_platform.h"

namespace zarnel {
namespace {

struct DfFigures {
    std::uint64_t used = 0;
    std::uint64_t available = 0;
};

std::optional<DfFigures> dfOfRoot() {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(
        ::popen("df -B1 --output=used,avail / 2>/dev/null", "r"), ::pclose);
    if (!pipe) return std::nullopt;
    std::string text;
    char chunk[256];
    while (std::fgets(chunk, sizeof chunk, pipe.get())) text += chunk;
    std::istringstream in(text);
    std::string header1;
    std::string header2;
    DfFigures figures;
    if (!(in >> header1 >> header2 >> figures.used >> figures.available)) return std::nullopt;
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
    // Other programs write meanwhile: allow 1 % of the volume or 64 MiB.
    const double tolerance = std::max(0.01 * static_cast<double>(total), 64.0 * 1024 * 1024);
    // Used is what df counts as used, whatever the volume keeps back for root; the total is
    // that and what is still free to users, as df's use percentage counts it.
    EXPECT_NEAR(static_cast<double>(total - available), static_cast<double>(df->used), tolerance);
    EXPECT_NEAR(static_cast<double>(total), static_cast<double>(df->used + df->available),
                tolerance);
    EXPECT_NEAR(static_cast<double>(available), static_cast<double>(df->available), tolerance);
    EXPECT_LE(available, totalFree);
}

// ext4 keeps 5 % for root by default: a 1,000-block volume with 600 free, 550 of them free to
// users, is 950 blocks to its users, 400 of them used. A volume that says fewer free blocks
// than free to users keeps nothing back, and one that keeps back more than its size is empty.
TEST(SpaceFigures, TheBlocksKeptBackAreNoUsers) {
    EXPECT_EQ(linux_fs::usableBlocks(1000, 600, 550), 950u);
    EXPECT_EQ(linux_fs::usableBlocks(1000, 600, 600), 1000u);
    EXPECT_EQ(linux_fs::usableBlocks(1000, 500, 600), 1000u);
    EXPECT_EQ(linux_fs::usableBlocks(10, 600, 0), 0u);
}

}  // namespace
}  // namespace zarnel
