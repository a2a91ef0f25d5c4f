#include "tests/contract/platform_contract.h"

#include <algorithm>
#include <set>
#include <string>

#include "platform/errors.h"
#include "probes/identity.h"
#include "tests/support/recording_controls.h"

namespace zarnel::contract {
namespace {

constexpr std::uint32_t kOneByte = 1;
constexpr int kUndefinedFolder = 0x7e;  // no CSIDL has this number
constexpr std::uint32_t kUntouched = 0xA5A5A5A5;
constexpr std::uint64_t kUntouchedCount = 0xA5A5A5A5A5A5A5A5;
constexpr unsigned kPercent = 100;

// Asks with a one-byte buffer, then with the size the failure named.
template <typename Ask>
std::string askTwice(Platform& platform, std::uint32_t tooSmallError, Ask ask,
                     std::uint32_t& successLen) {
    std::string tiny(kOneByte, '\0');
    std::uint32_t len = kOneByte;
    EXPECT_EQ(ask(std::span<char>(tiny), len), 0);
    EXPECT_EQ(platform.lastError(), tooSmallError);
    EXPECT_GT(len, kOneByte) << "the failure names the bytes needed, NUL included";

    std::string buffer(len, '\0');
    successLen = len;
    EXPECT_NE(ask(std::span<char>(buffer), successLen), 0);
    EXPECT_EQ(buffer.find('\0'), len - 1) << "the name fills the buffer up to its NUL";
    return buffer.substr(0, buffer.find('\0'));
}

TEST_P(PlatformContract, ComputerNameTooSmallGivesErrorAndNeededLengthThenFits) {
    std::uint32_t len = 0;
    const std::string name = askTwice(
        *platform, win32_error::kBufferOverflow,
        [&](std::span<char> b, std::uint32_t& l) { return platform->getComputerName(b, l); }, len);
    EXPECT_EQ(len, name.size()) << "success counts the name without its NUL";
    EXPECT_EQ(platform->lastError(), win32_error::kSuccess);
}

TEST_P(PlatformContract, UserNameTooSmallGivesErrorAndNeededLengthThenFits) {
    std::uint32_t len = 0;
    const std::string name = askTwice(
        *platform, win32_error::kInsufficientBuffer,
        [&](std::span<char> b, std::uint32_t& l) { return platform->getUserName(b, l); }, len);
    EXPECT_EQ(len, name.size() + 1) << "success counts the NUL";
    EXPECT_EQ(platform->lastError(), win32_error::kSuccess);
}

// Wine leaves error 234 behind after a successful GetComputerNameExA; the probe judges the call
// by its result first, so the leftover code never reaches the window.
TEST_P(PlatformContract, DnsHostNameTooSmallThenShownByTheProbeDespiteWinesLeftoverError) {
    std::uint32_t len = 0;
    const std::string name = askTwice(
        *platform, win32_error::kMoreData,
        [&](std::span<char> b, std::uint32_t& l) {
            return platform->getComputerNameEx(ComputerNameFormat::DnsHostname, b, l);
        },
        len);
    EXPECT_EQ(len, name.size());

    testing::RecordingControls controls;
    DNShoustomei(controls, *platform);
    EXPECT_EQ(controls.text(Ctl::Text13), platform->ansi().toText(name));
}

TEST_P(PlatformContract, ClearedLastErrorReadsZero) {
    std::string tiny(kOneByte, '\0');
    std::uint32_t len = kOneByte;
    platform->getComputerName(tiny, len);
    ASSERT_NE(platform->lastError(), win32_error::kSuccess);
    platform->clearLastError();
    EXPECT_EQ(platform->lastError(), win32_error::kSuccess);
}

TEST_P(PlatformContract, MemoryFiguresAreConsistent) {
    MemoryStatus status{};
    status.dwLength = sizeof(MemoryStatus);
    platform->globalMemoryStatus(status);
    EXPECT_GT(status.ullTotalPhys, 0u);
    EXPECT_LE(status.ullAvailPhys, status.ullTotalPhys);
    // The load the memory tab shows is the share in use, from the same reading.
    const double used = static_cast<double>(status.ullTotalPhys - status.ullAvailPhys);
    EXPECT_NEAR(status.dwMemoryLoad, kPercent * used / static_cast<double>(status.ullTotalPhys),
                1.0)
        << "total " << status.ullTotalPhys << ", available " << status.ullAvailPhys;
}

// Each fact of the power record in its own place and within its values: the PC tab shows them
// as they come.
TEST_P(PlatformContract, PowerQuerySucceedsWithClearedErrorAndFactsInTheirPlaces) {
    constexpr unsigned kUnknown = 255;
    constexpr unsigned kNoBattery = 128;
    constexpr unsigned kKnownFlags = 1 | 2 | 4 | 8 | kNoBattery;
    SystemPowerStatus status{};
    platform->clearLastError();
    ASSERT_NE(platform->getSystemPowerStatus(status), 0);
    EXPECT_EQ(platform->lastError(), win32_error::kSuccess);
    EXPECT_TRUE(status.ACLineStatus <= 1 || status.ACLineStatus == kUnknown)
        << int{status.ACLineStatus};
    EXPECT_TRUE(status.BatteryFlag == kUnknown || (status.BatteryFlag & ~kKnownFlags) == 0)
        << int{status.BatteryFlag};
    EXPECT_TRUE(status.BatteryLifePercent <= kPercent || status.BatteryLifePercent == kUnknown)
        << int{status.BatteryLifePercent};
    if (status.BatteryFlag != kUnknown && (status.BatteryFlag & kNoBattery) != 0) {
        EXPECT_EQ(status.BatteryLifePercent, kUnknown) << "no battery, no charge level";
    }
}

TEST_P(PlatformContract, DriveEntriesStartWithTheirOwnLetterAndColon) {
    const DriveList list = platform->drives();
    ASSERT_FALSE(list.entries.empty());
    std::set<char> letters;
    for (const std::string& entry : list.entries) {
        ASSERT_GE(entry.size(), 2u) << entry;
        EXPECT_TRUE(entry[0] >= 'a' && entry[0] <= 'z') << entry;
        EXPECT_EQ(entry[1], ':') << entry;
        EXPECT_TRUE(letters.insert(entry[0]).second) << "letter listed twice: " << entry;
    }
    EXPECT_GE(list.selected, -1);
    EXPECT_LT(list.selected, static_cast<int>(list.entries.size()));
    // What each drive is, where given, is given for every entry.
    if (!list.drives.empty()) {
        EXPECT_EQ(list.drives.size(), list.entries.size());
    }
}

// A local disk names its file system, as the disks tab shows it, and gives its space figures
// each in its place.
TEST_P(PlatformContract, LocalDriveNamesItsFileSystemAndItsSpaceInOrder) {
    std::string root;
    for (const std::string& entry : platform->drives().entries) {
        const std::string candidate{entry[0], ':', '\\'};
        if (platform->getDriveType(candidate) == drive_type::kFixed) {
            root = candidate;
            break;
        }
    }
    if (root.empty()) GTEST_SKIP() << "no local disk listed";

    std::string name(kMaxPath, 'x');
    std::string fileSystem(kMaxPath, 'x');
    std::uint32_t serial = 0;
    std::uint32_t longestName = 0;
    std::uint32_t flags = 0;
    ASSERT_NE(platform->getVolumeInformation(root, name, serial, longestName, flags, fileSystem), 0)
        << root << " error " << platform->lastError();
    EXPECT_NE(name.find('\0'), std::string::npos) << "the label ends in its NUL";
    EXPECT_GT(fileSystem.find('\0'), 0U) << root << " names no file system";
    EXPECT_NE(fileSystem.find('\0'), std::string::npos) << "the name ends in its NUL";
    EXPECT_GT(longestName, 0U);

    std::uint64_t available = 0;
    std::uint64_t total = 0;
    std::uint64_t totalFree = 0;
    ASSERT_NE(platform->getDiskFreeSpaceEx(root, available, total, totalFree), 0);
    EXPECT_GT(total, 0U);
    EXPECT_LE(available, totalFree) << "the caller's share of the free space, not more";
    EXPECT_LE(totalFree, total);
}

// A file-system name longer than its buffer fails the query, with the label not written either:
// a failed call leaves every output as it was.
TEST_P(PlatformContract, FileSystemNameThatDoesNotFitLeavesTheLabelUntouched) {
    const std::string root = platform->drives().entries.at(0).substr(0, 2) + "\\";
    const std::string before(kMaxPath, 'x');
    std::string name = before;
    std::string fileSystem(1, 'x');  // room for the NUL alone
    std::uint32_t serial = kUntouched;
    std::uint32_t component = kUntouched;
    std::uint32_t flags = kUntouched;
    EXPECT_EQ(platform->getVolumeInformation(root, name, serial, component, flags, fileSystem), 0);
    EXPECT_EQ(name, before);
    EXPECT_EQ(fileSystem, "x");
    EXPECT_EQ(serial, kUntouched);
}

// A root path whose letter the drive list does not hold.
std::string missingRoot(Platform& platform) {
    const DriveList list = platform.drives();
    for (char letter = 'y'; letter > 'c'; --letter) {
        const bool listed = std::ranges::any_of(
            list.entries, [&](const std::string& entry) { return entry[0] == letter; });
        if (!listed) return std::string{letter, ':', '\\'};
    }
    return {};
}

TEST_P(PlatformContract, MissingDriveHasNoRootAndLeavesEveryOutputUntouched) {
    const std::string root = missingRoot(*platform);
    ASSERT_FALSE(root.empty());
    EXPECT_EQ(platform->getDriveType(root), drive_type::kNoRootDir);

    // Buffers with something in them: a failed call must not blank them either.
    const std::string before(kMaxPath, 'x');
    std::string name = before;
    std::string fileSystem = before;
    std::uint32_t serial = kUntouched;
    std::uint32_t component = kUntouched;
    std::uint32_t flags = kUntouched;
    EXPECT_EQ(platform->getVolumeInformation(root, name, serial, component, flags, fileSystem), 0);
    EXPECT_EQ(platform->lastError(), win32_error::kPathNotFound);
    EXPECT_EQ(serial, kUntouched);
    EXPECT_EQ(component, kUntouched);
    EXPECT_EQ(flags, kUntouched);
    EXPECT_EQ(name, before);
    EXPECT_EQ(fileSystem, before);

    std::uint64_t available = kUntouchedCount;
    std::uint64_t total = kUntouchedCount;
    std::uint64_t totalFree = kUntouchedCount;
    EXPECT_EQ(platform->getDiskFreeSpaceEx(root, available, total, totalFree), 0);
    EXPECT_EQ(platform->lastError(), win32_error::kPathNotFound);
    EXPECT_EQ(available, kUntouchedCount);
    EXPECT_EQ(total, kUntouchedCount);
    EXPECT_EQ(totalFree, kUntouchedCount);
}

TEST_P(PlatformContract, FolderPathFitsMaxPathAndACutOrUnknownOneLeavesTheBufferEmpty) {
    constexpr int kDesktop = 0;
    std::string path(kMaxPath, '\0');
    EXPECT_EQ(platform->getFolderPath(0, kDesktop, path), kSOk);
    const std::size_t nul = path.find('\0');
    EXPECT_GT(nul, 0u);
    EXPECT_LT(nul, kMaxPath);

    // One byte short of the path and its NUL: a cut path would name another folder.
    std::string cramped(nul, '\0');
    EXPECT_LT(platform->getFolderPath(0, kDesktop, cramped), 0);
    EXPECT_EQ(cramped, std::string(nul, '\0'));

    std::string unknown(kMaxPath, '\0');
    EXPECT_LT(platform->getFolderPath(0, kUndefinedFolder, unknown), 0);
    EXPECT_EQ(unknown, std::string(kMaxPath, '\0'));
}

const WmiValue* property(const WmiInstance& instance, std::string_view name) {
    const auto found =
        std::ranges::find_if(instance, [&](const auto& entry) { return entry.first == name; });
    return found == instance.end() ? nullptr : &found->second;
}

TEST_P(PlatformContract, ProcessorsComeInTheServicesOrderWithUniquePropertyNames) {
    const std::vector<WmiInstance> processors = platform->wmiInstances("Win32_Processor");
    ASSERT_FALSE(processors.empty());
    for (const WmiInstance& instance : processors) {
        std::set<std::string> names;
        for (const auto& [name, value] : instance) {
            EXPECT_TRUE(names.insert(name).second) << "property listed twice: " << name;
        }
        EXPECT_NE(property(instance, "Name"), nullptr);
    }
    if (GetParam().orderedProperty.empty()) return;
    std::vector<WmiValue> values;
    for (const WmiInstance& instance : processors) {
        const WmiValue* value = property(instance, GetParam().orderedProperty);
        ASSERT_NE(value, nullptr);
        values.push_back(*value);
    }
    EXPECT_EQ(values, GetParam().orderedValues);
}

TEST_P(PlatformContract, NullPropertyIsNullNotEmptyText) {
    const std::vector<WmiInstance> instances = platform->wmiInstances(GetParam().nullClass);
    ASSERT_FALSE(instances.empty());
    const WmiValue* value = property(instances.back(), GetParam().nullProperty);
    ASSERT_NE(value, nullptr) << GetParam().nullProperty << " is not listed";
    EXPECT_TRUE(std::holds_alternative<std::monostate>(*value));
}

// Windows refuses an unknown class; wine answers it with no instance, which the WMI probes
// treat as a failure too.
TEST_P(PlatformContract, UnknownClassIsRefusedOrEmptyAsUnderWine) {
    try {
        EXPECT_TRUE(platform->wmiInstances("Win32_NoSuchClassAtAll").empty());
    } catch (const WmiError&) {
    }
}

TEST_P(PlatformContract, ClassNameThatIsNoNameIsRefused) {
    EXPECT_THROW(platform->wmiInstances("Win32_BIOS WHERE 1=1"), WmiError);
}

}  // namespace
}  // namespace zarnel::contract
