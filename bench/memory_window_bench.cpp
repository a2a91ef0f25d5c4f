// The same tick in the real window (off screen): the logic plus the pixmap's line and scroll
// and the widgets' text updates.
#include <benchmark/benchmark.h>

#include "app/form1.h"
#include "bench/no_sleep_linux.h"
#include "ui/qt/main_window.h"
#include "ui/qt/picture_box.h"
#include "ui/qt/qt_controls.h"

namespace zarnel {
namespace {

void BM_ScrollingTickInTheWindow(benchmark::State& state) {
    bench::NoSleepLinux platform;
    qt::MainWindow window;
    qt::QtControls controls(window);
    Form1 form(controls, platform);
    form.Form_Load();
    form.GraphTime = bench::kSteadyTime;
    for (auto _ : state) {
        form.Timer1_Timer();
        if (form.GraphTime > bench::kRewindAfter) form.GraphTime = bench::kSteadyTime;
    }
}
BENCHMARK(BM_ScrollingTickInTheWindow);

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
