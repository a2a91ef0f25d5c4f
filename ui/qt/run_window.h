// The window over a provider, from its first paint to its closing: what main runs, and what
// the start-up benchmark runs on a fixture machine.
#pragma once

namespace zarnel {
class Platform;
}  // namespace zarnel

namespace zarnel::qt {

// Builds and shows the window, runs its load handler and the event loop; the exit code. Needs
// a QApplication.
int runWindow(Platform& platform);

}  // namespace zarnel::qt
