// The window over a provider, from its first paint to its closing, its drive list following the
// watches it is given.
#pragma once

#include "ui/qt/events.h"

namespace zarnel::qt {

// Builds and shows the window, runs its load handler and the event loop; the exit code. The
// drive list follows `watches`. Needs a QApplication.
int runWindow(Platform& platform, const DriveWatches& watches);

}  // namespace zarnel::qt
