// A network share whose server is gone is waited for once, however its drive is spelled.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/errors.h"
#include "platform/win32/win32_platform.h"

namespace zarnel {
namespace {

constexpr std::uint32_t kNameBuffer = 261;
constexpr std::uint32_t kFileSystemBuffer = 32;

// The drive list names the share "n:\", the folder settings may name it "N:\": the free space
// asked under the second spelling must not wait again for the server the first still waits for.
TEST(Win32NetworkShare, AStalledShareIsNotAskedAgainUnderAnotherSpelling) {
    // Bound to Sleep, the volume question never answers: Sleep takes the root's address for
    // its milliseconds.
    Win32Platform platform(win32::ExportNames{{"GetVolumeInformationW", "Sleep"}});
    ASSERT_EQ(platform.getDriveType("n:\\"), drive_type::kRemote) << "the prefix lacks its share";

    std::string name(kNameBuffer, '\0');
    std::string fileSystem(kFileSystemBuffer, '\0');
    std::uint32_t serial = 0;
    std::uint32_t component = 0;
    std::uint32_t flags = 0;
    EXPECT_EQ(platform.getVolumeInformation("n:\\", name, serial, component, flags, fileSystem), 0);
    EXPECT_EQ(platform.lastError(), win32_error::kNotReady);

    std::uint64_t available = 0;
    std::uint64_t total = 0;
    std::uint64_t free = 0;
    EXPECT_EQ(platform.getDiskFreeSpaceEx("N:\\", available, total, free), 0);
    EXPECT_EQ(platform.lastError(), win32_error::kNotReady);
    EXPECT_EQ(total, 0U);
}

}  // namespace
}  // namespace zarnel
