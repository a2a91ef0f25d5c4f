// One tick of the memory tab on this machine, beside the least it could cost: reading and
// parsing proc/meminfo once.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <string_view>

#include "app/form1.h"
#include "bench/no_sleep_linux.h"
#include "platform/linux/meminfo.h"
#include "tests/support/recording_controls.h"
#include "tests/support/scratch_machine.h"

namespace zarnel {
namespace {

// The floor: one open, read and parse of the kernel's file, nothing else.
void BM_MeminfoFloor(benchmark::State& state) {
    constexpr std::size_t kBuffer = 8192;
    std::array<char, kBuffer> buffer{};
    for (auto _ : state) {
        const int fd = ::open("/proc/meminfo", O_RDONLY | O_CLOEXEC);
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        ::close(fd);
        const auto info =
            linux_fs::parseMeminfo(std::string_view(buffer.data(), got > 0 ? got : 0));
        benchmark::DoNotOptimize(info);
    }
}
BENCHMARK(BM_MeminfoFloor);

// The provider's own reading: the floor plus the root-relative reader.
void BM_GlobalMemoryStatus(benchmark::State& state) {
    LinuxPlatform platform;
    for (auto _ : state) {
        MemoryStatus status;
        platform.globalMemoryStatus(status);
        benchmark::DoNotOptimize(status);
    }
}
BENCHMARK(BM_GlobalMemoryStatus);

// A whole tick at the fixed edge: Memorii, the segment, the scroll and, every fifth tick,
// the relabelling, on an in-memory window (the logic's own cost).
void BM_ScrollingTick(benchmark::State& state) {
    // Loading the window makes the desktop folder: in a home of the benchmark's own.
    const testing::ScratchMachine home;
    bench::NoSleepLinux platform;
    platform.environment.home = home.root().string();
    testing::RecordingControls controls;
    Form1 form(controls, platform);
    form.Form_Load();
    auto& chart = controls.recordedPicture(Ctl::Picture1);
    auto& pie = controls.recordedPicture(Ctl::Picture4);
    form.memory().GraphTime = bench::kSteadyTime;
    for (auto _ : state) {
        form.memory().Timer1_Timer();
        chart.operations.clear();
        pie.operations.clear();
        if (form.memory().GraphTime > bench::kRewindAfter)
            form.memory().GraphTime = bench::kSteadyTime;
    }
}
BENCHMARK(BM_ScrollingTick);

}  // namespace
}  // namespace zarnel
