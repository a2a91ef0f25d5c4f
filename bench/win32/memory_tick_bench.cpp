// One memory tick of the native window against its floor: one GlobalMemoryStatusEx call plus
// one scroll of the chart. The tick runs in the real window, on a provider whose memory comes
// from GlobalMemoryStatusEx itself and whose pause does not sleep (the pause is the design's
// own wait, not work). Prints nanoseconds per call and exits 1 when a tick costs more than three
// floors.
//   zarnel_bench_win32_memory.exe [ticks]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/form1.h"
#include "platform/fake/fake_platform.h"
#include "tools/form-dump/win32/message_closer.h"
#include "ui/win32/events.h"
#include "ui/win32/win32_controls.h"

namespace {

constexpr int kDefaultTicks = 20000;
constexpr double kBudget = 3.0;
constexpr double kNanosecondsPerSecond = 1e9;

// The system's own memory answer; every other call as the fake machine says.
class SystemMemory : public zarnel::FakePlatform {
  public:
    void globalMemoryStatus(zarnel::MemoryStatus& status) override {
        MEMORYSTATUSEX record{};
        record.dwLength = sizeof(record);
        GlobalMemoryStatusEx(&record);
        status.dwMemoryLoad = record.dwMemoryLoad;
        status.ullTotalPhys = record.ullTotalPhys;
        status.ullAvailPhys = record.ullAvailPhys;
    }
};

double secondsNow() {
    static const double frequency = [] {
        LARGE_INTEGER f{};
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / frequency;
}

template <typename Work>
double nanosecondsEach(int times, Work&& work) {
    const double start = secondsNow();
    for (int i = 0; i < times; ++i) work();
    return (secondsNow() - start) * kNanosecondsPerSecond / times;
}

}  // namespace

int main(int argc, char** argv) {
    const int ticks = argc > 1 ? std::atoi(argv[1]) : kDefaultTicks;
    SystemMemory platform;
    zarnel::tools::MessageCloser closer;
    zarnel::win32::Win32Controls controls;
    zarnel::Form1 form(controls, platform);
    zarnel::win32::Form1Events events(controls, platform, form);
    zarnel::win32::startForm(controls, platform, form, events);
    ShowWindow(controls.window(), SW_SHOWNOACTIVATE);
    controls.setTimerEnabled(false);  // ticks are driven here, not by the clock

    zarnel::MemoryTab& memory = form.memory();
    // Past the first 15 graph seconds every tick scrolls: the dearer kind, measured alone.
    while (memory.GraphTime <= 16) memory.Timer1_Timer();

    const double tick = nanosecondsEach(ticks, [&] { memory.Timer1_Timer(); });
    MEMORYSTATUSEX record{};
    const double query = nanosecondsEach(ticks, [&] {
        record.dwLength = sizeof(record);
        GlobalMemoryStatusEx(&record);
    });
    zarnel::Picture& chart = controls.picture(zarnel::Ctl::Picture1);
    const double scroll = nanosecondsEach(
        ticks, [&] { chart.scroll(memory.ScrollDX, 0, memory.ScrollRect, memory.ClipRect); });
    const double floor = query + scroll;
    std::printf("ticks measured          %d\n", ticks);
    std::printf("GlobalMemoryStatusEx    %10.0f ns\n", query);
    std::printf("scroll of the chart     %10.0f ns\n", scroll);
    std::printf("one tick (scrolling)    %10.0f ns\n", tick);
    std::printf("tick / floor            %10.2f (budget %.0f)\n", tick / floor, kBudget);
    return tick <= kBudget * floor ? 0 : 1;
}
