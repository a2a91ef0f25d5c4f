// The mount table at scale: letters from a table of thousands of mounts, and one read of the
// table per change of its file.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>

#include "platform/linux/drive_letters.h"
#include "platform/linux/mount_table.h"
#include "tests/support/scratch_machine.h"

namespace zarnel::linux_fs {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMounts = 5000;

MountEntry mountAt(std::string point, unsigned minor) {
    return {.major = 8,
            .minor = minor,
            .root = "/",
            .mountPoint = std::move(point),
            .mountOptions = "rw",
            .fsType = "ext4",
            .source = "/dev/sd" + std::to_string(minor),
            .superOptions = "rw"};
}

// Thousands of mounts stacked on a few points: only the last mount of each point shows, in
// the order of the table, whatever lies between.
TEST(LargeMountTable, LettersTheLastMountOfEachPointInTableOrder) {
    std::vector<MountEntry> mounts = {mountAt("/", 0)};
    for (unsigned i = 1; i <= kMounts; ++i) {
        mounts.push_back(mountAt("/mnt/p" + std::to_string(i % 3), i));
    }
    // The last mounts of /mnt/p0, /mnt/p1 and /mnt/p2 are the table's last three, in that order.
    const std::vector<DriveSlot> slots = assignDriveLetters(mounts, {"/dev/sr0"});
    std::vector<std::string> texts;
    for (const DriveSlot& slot : slots) texts.push_back(slot.entryText());
    EXPECT_EQ(texts, (std::vector<std::string>{"c: [/]", "d: [/mnt/p0]", "e: [/mnt/p1]",
                                               "f: [/mnt/p2]", "g: [/dev/sr0]"}));
}

class TableFile : public ::testing::Test {
  protected:
    void write(std::string_view text) {
        const fs::path file = root_ / "proc/self/mountinfo";
        const fs::path fresh = root_ / "proc/self/mountinfo.new";
        std::ofstream(fresh) << text;
        fs::rename(fresh, file);  // a new inode: a change whatever the clock says
    }
    const testing::ScratchMachine machine_;
    const fs::path& root_ = machine_.root();
};

TEST_F(TableFile, IsReadAgainOnlyWhenItChanges) {
    write("1 0 8:1 / / rw - ext4 /dev/sda1 rw\n");
    MountTable table(root_);
    ASSERT_EQ(table.current().size(), 1u);
    const std::uint64_t firstRead = table.generation();
    table.current();
    table.current();
    EXPECT_EQ(table.generation(), firstRead);

    write("1 0 8:1 / / rw - ext4 /dev/sda1 rw\n2 1 8:2 / /home rw - ext4 /dev/sda2 rw\n");
    EXPECT_EQ(table.current().size(), 2u);
    EXPECT_EQ(table.generation(), firstRead + 1);
}

TEST_F(TableFile, AboveTheCapReadsAsEmpty) {
    const std::string line = "1 0 8:1 / / rw - ext4 /dev/sda1 rw\n";
    std::string text;
    while (text.size() <= kMaxMountTableBytes) text += line;
    write(text);
    MountTable table(root_);
    EXPECT_TRUE(table.current().empty());
}

// Run in a child of its own: the live table, first opened when the process has no descriptor
// left, then again once it has.
[[noreturn]] void readTheTableOutOfDescriptors() {
    MountTable table("/");
    std::vector<int> fillers;
    for (int fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC); fd >= 0;
         fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC)) {
        fillers.push_back(fd);
    }
    const bool emptyWithout = table.current().empty();
    for (const int fd : fillers) ::close(fd);
    _exit(emptyWithout && !table.current().empty() ? 0 : 1);
}

// procfs's times never change with the table: a table that could not be opened once is asked
// again, or the drive list would stay at c: for the run.
TEST(LiveMountTable, AFailedOpenIsTriedAgain) {
    constexpr rlim_t kFewDescriptors = 64;
    rlimit limit{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &limit), 0);
    EXPECT_EXIT(
        {
            limit.rlim_cur = std::min(limit.rlim_cur, kFewDescriptors);
            ::setrlimit(RLIMIT_NOFILE, &limit);
            readTheTableOutOfDescriptors();
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace zarnel::linux_fs
