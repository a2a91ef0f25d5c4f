// The same tick in the real window (off screen): the logic plus the pixmap's line and scroll
// and the widgets' text updates.
#include <benchmark/benchmark.h>

#include <cmath>

#include "app/form1.h"
#include "bench/no_sleep_linux.h"
#include "memory/graph_scale.h"
#include "tests/support/scratch_machine.h"
#include "ui/qt/main_window.h"
#include "ui/qt/picture_box.h"
#include "ui/qt/qt_controls.h"

namespace zarnel {
namespace {

// Which ticks to measure: as they come (a relabelling every fifth), none relabelling, or
// every one relabelling with new numbers.
enum class Relabel { AsTheyCome, Never, Always };

// Jumping the graph time this far ahead before a tick makes the tick renumber the axis: the
// first number moves on, as it does once a second in the running window. Forcing LastSecond
// alone would renumber with the same numbers four ticks in five.
constexpr float kOneSecond = 1;

void BM_ScrollingTickInTheWindow(benchmark::State& state) {
    const auto relabel = static_cast<Relabel>(state.range(0));
    // Loading the window makes the desktop folder: in a home of the benchmark's own.
    const testing::ScratchMachine home;
    bench::NoSleepLinux platform;
    platform.environment.home = home.root().string();
    qt::MainWindow window;
    qt::QtControls controls(window);
    Form1 form(controls, platform);
    form.Form_Load();
    form.memory().GraphTime = bench::kSteadyTime;
    double relabels = 0;
    double ticks = 0;
    for (auto _ : state) {
        // The tick relabels when the whole part of the advanced time differs from LastSecond.
        if (relabel == Relabel::Always) form.memory().GraphTime += kOneSecond;
        const auto next =
            static_cast<std::int32_t>(std::floor(form.memory().GraphTime + graph::kStepF));
        if (relabel == Relabel::Never) form.memory().LastSecond = next;
        const int before = form.memory().LastSecond;
        form.memory().Timer1_Timer();
        relabels += form.memory().LastSecond != before;
        ++ticks;
        if (form.memory().GraphTime > bench::kRewindAfter)
            form.memory().GraphTime = bench::kSteadyTime;
    }
    // The share of measured ticks that renumbered the time axis.
    state.counters["relabelShare"] = relabels / ticks;
}
BENCHMARK(BM_ScrollingTickInTheWindow)
    ->ArgName("relabel")
    ->Arg(static_cast<int>(Relabel::AsTheyCome))
    ->Arg(static_cast<int>(Relabel::Never))
    ->Arg(static_cast<int>(Relabel::Always));

// The scroll of the chart's image alone.
void BM_PixmapScroll(benchmark::State& state) {
    qt::MainWindow window;
    qt::QtControls controls(window);
    qt::PictureBox& chart = controls.pictureBox(Ctl::Picture1);
    const Geometry size = controls.geometry(Ctl::Picture1);
    const PixelRect all{0, 0, static_cast<int>(size.width), static_cast<int>(size.height)};
    constexpr int kStep = -4;
    for (auto _ : state) chart.scroll(kStep, 0, all, all);
}
BENCHMARK(BM_PixmapScroll);

}  // namespace
}  // namespace zarnel
