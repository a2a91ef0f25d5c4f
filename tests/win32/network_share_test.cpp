// A network share whose server is gone is waited for once, however its drive is spelled.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <chrono>
#include <cstdint>
#include <future>
#include <memory>
#include <string>
#include <thread>

#include "platform/errors.h"
#include "platform/win32/win32_platform.h"
#include "tests/win32/redirected_desktop.h"

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

// A folder redirected to a mapped share whose server went away: asking even for the drive's
// type may open its root, so the folder settles as not ready at the share's deadline.
TEST(Win32NetworkShare, AFolderOnAStalledShareIsNotWaitedForEvenForItsDrivesType) {
    const testing::RedirectedDesktop redirected(L"n:\\Desktop");
    // Bound to Sleep, the type question never answers. What is stuck in it outlives the test.
    auto platform = std::make_shared<Win32Platform>(win32::ExportNames{{"GetDriveTypeA", "Sleep"}});
    auto result = std::make_shared<std::promise<std::int32_t>>();
    std::future<std::int32_t> answered = result->get_future();
    std::thread([platform, result] {
        char path[MAX_PATH] = {};
        result->set_value(
            platform->getFolderPath(0, CSIDL_DESKTOPDIRECTORY | CSIDL_FLAG_DONT_VERIFY, path));
    }).detach();
    // Far beyond the deadline: only a call that waits for the server gets here.
    constexpr auto kHung = std::chrono::seconds(30);
    ASSERT_EQ(answered.wait_for(kHung), std::future_status::ready) << "waited for the server";
    EXPECT_EQ(answered.get(), HRESULT_FROM_WIN32(ERROR_NOT_READY));
}

}  // namespace
}  // namespace zarnel
