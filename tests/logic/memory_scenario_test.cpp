// The fake machine's memory, described in a scenario file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "platform/fake/fake_platform.h"

namespace zarnel {
namespace {

namespace fs = std::filesystem;

class MemoryScenario : public ::testing::Test {
  protected:
    void write(std::string_view text) {
        file_ = fs::temp_directory_path() /
                ("zarnel-memory-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".scenario");
        std::ofstream(file_) << text;
    }
    void TearDown() override { fs::remove(file_); }

    fs::path file_;
    FakePlatform platform_;
};

TEST_F(MemoryScenario, SetsLoadTotalAndAvailable) {
    write("memoryLoad = 29\ntotalPhys = 17592186044416\navailPhys = 4398046511104\n");
    loadScenario(platform_, file_);
    MemoryStatus status;
    platform_.globalMemoryStatus(status);
    EXPECT_EQ(status.dwMemoryLoad, 29U);
    EXPECT_EQ(status.ullTotalPhys, 17'592'186'044'416U);
    EXPECT_EQ(status.ullAvailPhys, 4'398'046'511'104U);
}

TEST_F(MemoryScenario, NegativeFigureNamesItsLine) {
    write("memoryLoad = 29\ntotalPhys = -1\n");
    try {
        loadScenario(platform_, file_);
        FAIL() << "a negative byte count was taken";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find(":2:"), std::string::npos) << e.what();
    }
}

}  // namespace
}  // namespace zarnel
