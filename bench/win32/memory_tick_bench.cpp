// One memory tick of the native window against its floor: one GlobalMemoryStatusEx call plus
// one scroll of the chart. The tick runs in the real window, on a provider whose memory comes
// from GlobalMemoryStatusEx itself and whose pause does not sleep (the pause is the design's
// own wait, not work). Prints nanoseconds per call, then the tick taken apart (the figures, the
// line, the ticks that rename the time axis and those that do not, a tick while another tab is
// shown), and exits 1 when a tick costs more than three floors.
//   zarnel_bench_win32_memory.exe [ticks]
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "app/form1.h"
#include "memory/graph_scale.h"
#include "platform/fake/fake_platform.h"
#include "tools/form-dump/win32/message_closer.h"
#include "ui/win32/events.h"
#include "ui/win32/win32_controls.h"

namespace {

constexpr int kDefaultTicks = 10000;
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

// Runs `work` once and lets the window paint, as its message loop would between two ticks;
// returns the seconds of the work alone. Without the painting the window would never paint,
// and every repaint after the first would be found already asked for and cost nothing.
template <typename Work>
double secondsOnce(HWND window, Work&& work) {
    const double start = secondsNow();
    work();
    const double seconds = secondsNow() - start;
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    return seconds;
}

// The nanoseconds of one run of `work`, run `times` times.
template <typename Work>
double nanosecondsEach(HWND window, int times, Work&& work) {
    double seconds = 0;
    for (int i = 0; i < times; ++i) seconds += secondsOnce(window, work);
    return seconds * kNanosecondsPerSecond / times;
}

// Nanoseconds spent in ticks of one kind, and how many there were.
struct Share {
    double nanoseconds = 0;
    int ticks = 0;
    double each() const { return ticks > 0 ? nanoseconds / ticks : 0; }
};

void print(const char* what, double nanoseconds) {
    std::printf("%-30s %10.0f ns\n", what, nanoseconds);
}

}  // namespace

int main(int argc, char** argv) {
    const int ticks = argc > 1 ? std::atoi(argv[1]) : kDefaultTicks;
    if (ticks <= 0) {
        std::fprintf(stderr, "usage: %s [ticks > 0]\n", argv[0]);
        return 2;
    }
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

    // Each tick timed on its own, filed by whether it renamed the time axis (one in five), and
    // its floor (the memory query, the chart's scroll) timed in the same loop, turn about:
    // whatever the host does meanwhile weighs on the tick and the floor alike.
    HWND window = controls.window();
    zarnel::Picture& chart = controls.picture(zarnel::Ctl::Picture1);
    Share renaming;
    Share plain;
    double querySeconds = 0;
    double scrollSeconds = 0;
    MEMORYSTATUSEX record{};
    for (int i = 0; i < ticks; ++i) {
        const auto second = memory.LastSecond;
        const double seconds = secondsOnce(window, [&] { memory.Timer1_Timer(); });
        Share& kind = memory.LastSecond != second ? renaming : plain;
        kind.nanoseconds += seconds * kNanosecondsPerSecond;
        ++kind.ticks;
        querySeconds += secondsOnce(window, [&] {
            record.dwLength = sizeof(record);
            GlobalMemoryStatusEx(&record);
        });
        scrollSeconds += secondsOnce(
            window, [&] { chart.scroll(memory.ScrollDX, 0, memory.ScrollRect, memory.ClipRect); });
    }
    const double tick = (renaming.nanoseconds + plain.nanoseconds) / ticks;
    const double query = querySeconds * kNanosecondsPerSecond / ticks;
    const double scroll = scrollSeconds * kNanosecondsPerSecond / ticks;
    const double figures = nanosecondsEach(window, ticks, [&] { memory.Memorii(); });
    // The last step of the line, as a scrolling tick draws it.
    const float width = controls.geometry(zarnel::Ctl::Picture1).width;
    const float stepStart = width * zarnel::graph::kLastStepStart / zarnel::graph::kTimeUnits;
    const float stepEnd = width * zarnel::graph::kFixedEdge / zarnel::graph::kTimeUnits;
    const double line = nanosecondsEach(window, ticks, [&] {
        chart.setCurrentX(stepStart);
        chart.lineTo(stepEnd, chart.currentY(), zarnel::graph::kLineColour);
    });

    // The memory tab keeps ticking while the user looks at another one.
    controls.selectTab(1);
    const double behind = nanosecondsEach(window, ticks, [&] { memory.Timer1_Timer(); });

    const double floor = query + scroll;
    std::printf("ticks measured                 %10d\n", ticks);
    print("GlobalMemoryStatusEx", query);
    print("scroll of the chart", scroll);
    print("one tick (scrolling)", tick);
    std::printf("tick / floor                   %10.2f (budget %.0f)\n", tick / floor, kBudget);
    std::printf("-- the tick taken apart\n");
    print("figures and pie (Memorii)", figures);
    print("line segment", line);
    print("tick, axis kept", plain.each());
    print("tick, axis renamed", renaming.each());
    print("renaming the axis, per rename", renaming.each() - plain.each());
    print("tick, another tab shown", behind);
    return tick <= kBudget * floor ? 0 : 1;
}
