// One change of drive on "/" (six probes, six platform calls) against the least any reading
// of that drive costs: one statvfs and one read of the mount table; and the drive list of a
// big machine against one read of its mount table.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>

#include "disk/disk_probes.h"
#include "platform/linux/linux_platform.h"
#include "platform/linux/read_file.h"
#include "tests/support/recording_controls.h"
#include "tests/support/scratch_machine.h"

namespace {

using zarnel::testing::ScratchMachine;

constexpr std::size_t kChunk = 16384;
constexpr std::uint64_t kDiskSectors = 7814037168;  // 4 TB

void Floor_StatvfsAndMountinfo(benchmark::State& state) {
    std::array<char, kChunk> chunk{};
    for (auto _ : state) {
        struct statvfs info {};
        benchmark::DoNotOptimize(::statvfs("/", &info));
        const int fd = ::open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC);
        std::string text;
        for (ssize_t got; (got = ::read(fd, chunk.data(), chunk.size())) > 0;) {
            text.append(chunk.data(), static_cast<std::size_t>(got));
        }
        ::close(fd);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(Floor_StatvfsAndMountinfo);

// The drive list is built once, as the window does; each iteration is one user's change.
void Drive1Change_Root(benchmark::State& state) {
    zarnel::LinuxPlatform platform("/");
    zarnel::testing::RecordingControls controls;
    fillDrive1(controls, platform);
    controls.setListIndex(zarnel::Ctl::Drive1, 0);  // c: [/]
    for (auto _ : state) {
        Drive1_Change(controls, platform);
        benchmark::DoNotOptimize(controls.text(zarnel::Ctl::Text15));
    }
}
BENCHMARK(Drive1Change_Root);

// Building the drive list: the mount table and sysfs only, no disk is touched.
void Drive1Fill(benchmark::State& state) {
    for (auto _ : state) {
        zarnel::LinuxPlatform platform("/");
        benchmark::DoNotOptimize(platform.drives());
    }
}
BENCHMARK(Drive1Fill);

// A build host's 5,000 mounts (a loop device per package, build trees bound from a data
// partition, a container's layers) and a disc drive nothing has mounted, as a server's remote
// console shows one: finding that the drive is unmounted must not cost a look at each mounted
// device, nor lettering the first build trees a look at every mount for each.
// The tree of such a machine.
std::unique_ptr<ScratchMachine> bigMachine() {
    constexpr int kMounts = 5000;
    constexpr int kMountKinds = 4;
    auto machine = std::make_unique<ScratchMachine>();
    std::ostringstream table;
    table << "1 0 259:2 / / rw - ext4 /dev/nvme0n1p2 rw\n";
    for (int n = 1; n < kMounts; ++n) {
        table << n + 1;
        switch (n % kMountKinds) {
            case 0:
                table << " 1 7:" << n << " / /snap/p" << n << "/1 ro - squashfs /dev/loop" << n;
                break;
            case 1:
                table << " 1 259:3 /srv/b" << n << " /var/lib/builds/b" << n
                      << " rw - ext4 /dev/nvme0n1p3";
                break;
            case 2:
                table << " 1 0:" << n << " / /run/user/" << n << " rw - tmpfs tmpfs";
                break;
            default:
                table << " 1 0:" << n << " / /var/lib/docker/overlay2/" << n
                      << "/merged rw - overlay overlay";
        }
        table << " rw\n";
    }
    machine->writeMountTable(table.str());
    machine->addDisk({.name = "nvme0n1",
                      .partitions = {"nvme0n1p1", "nvme0n1p2", "nvme0n1p3"},
                      .sectors = kDiskSectors});
    machine->addDisk({.name = "sr0", .removable = true});
    machine->numberDevice("sr0", "11:0");
    return machine;
}

void Floor_BigMachineMountTable(benchmark::State& state) {
    const auto machine = bigMachine();
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            zarnel::linux_fs::readFile(machine->root(), "proc/self/mountinfo").value_or(""));
    }
}
BENCHMARK(Floor_BigMachineMountTable);

// A new provider each time: nothing of the last list is remembered, as at start-up.
void Drive1Fill_BigMachineWithEmptyDiscDrive(benchmark::State& state) {
    const auto machine = bigMachine();
    for (auto _ : state) {
        zarnel::LinuxPlatform platform(machine->root());
        benchmark::DoNotOptimize(platform.drives());
    }
}
BENCHMARK(Drive1Fill_BigMachineWithEmptyDiscDrive);

}  // namespace
