// The window over a provider, from its first paint to its closing: what main runs, and what
// the start-up benchmark runs on a fixture machine.
#pragma once

namespace zarnel {
class Platform;
}  // namespace zarnel

namespace zarnel::qt {

// Builds and shows the window, runs its load handler and the event loop; the exit code. The
// drive list follows `mountWatch` (a mount-table watch, -1 for none). Needs a QApplication.
int runWindow(Platform& platform, int mountWatch);

}  // namespace zarnel::qt
