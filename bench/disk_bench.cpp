// One change of drive on "/" (six probes, six platform calls) against the least any reading
// of that drive costs: one statvfs and one read of the mount table.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <array>
#include <string>

#include "app/form1.h"
#include "disk/disk_probes.h"
#include "platform/linux/linux_platform.h"
#include "tests/support/recording_controls.h"

namespace {

constexpr std::size_t kChunk = 16384;

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

}  // namespace
