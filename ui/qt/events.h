// Hooks the form's handlers to the window's events.
#pragma once

namespace zarnel {
class Form1;
class Platform;
}  // namespace zarnel

namespace zarnel::qt {

class QtControls;

// Fills the drive list, runs the form's load handler, then delivers every event to its handler:
// the form's, its memory tab's, or the drive and folder lists' own.
void startForm(QtControls& controls, Platform& platform, Form1& form);

// Fills the drive list again whenever `descriptor` (a mount-table watch) raises its
// exceptional condition; nothing for -1.
void watchDrives(QtControls& controls, Platform& platform, int descriptor);

}  // namespace zarnel::qt
