// The taskbar's state on X desktops of growing size, against the least any answer from the
// display costs: connecting to it and one round trip.
#include <benchmark/benchmark.h>
#include <xcb/xcb.h>

#include <cstdlib>

#include "platform/linux/taskbar_x11.h"
#include "tests/support/x_desktop.h"

namespace {

using zarnel::testing::DesktopWindow;
using zarnel::testing::PanelClient;
using zarnel::testing::PrivateXServer;
using zarnel::testing::Strut;

void Floor_ConnectAndOneRoundTrip(benchmark::State& state) {
    const PrivateXServer server;
    if (!server.display()) {
        state.SkipWithError("Xvfb is not available");
        return;
    }
    // A client stays connected, as the window does: the server resets when its last one leaves.
    const PanelClient client(*server.display());
    for (auto _ : state) {
        xcb_connection_t* xcb = xcb_connect(server.display()->c_str(), nullptr);
        std::free(xcb_get_input_focus_reply(xcb, xcb_get_input_focus(xcb), nullptr));
        xcb_disconnect(xcb);
    }
}
BENCHMARK(Floor_ConnectAndOneRoundTrip)->Unit(benchmark::kMillisecond);

// A desktop of N framed application windows and one panel.
void DockTaskbarState(benchmark::State& state) {
    const PrivateXServer server;
    if (!server.display()) {
        state.SkipWithError("Xvfb is not available");
        return;
    }
    PanelClient client(*server.display());
    for (auto i = state.range(0); i > 0; --i) client.add({false, Strut::None, true, true});
    client.add({true, Strut::Partial, true});
    for (auto _ : state) {
        benchmark::DoNotOptimize(zarnel::linux_x11::dockTaskbarState(server.display()->c_str()));
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(DockTaskbarState)->Arg(0)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
