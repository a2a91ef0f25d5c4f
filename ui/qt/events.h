// Hooks the form's handlers to the window's events.
#pragma once

#include "platform/platform.h"

namespace zarnel {
class Form1;
}  // namespace zarnel

namespace zarnel::qt {

class QtControls;

// Fills the drive list, runs the form's load handler, then delivers every event to its handler:
// the form's, its memory tab's, or the drive and folder lists' own. Returns the drive list shown.
DriveList startForm(QtControls& controls, Platform& platform, Form1& form);

// Fills the drive list, which shows `shown`, again whenever `descriptor` (a mount-table watch)
// raises its exceptional condition; nothing for -1.
void watchDrives(QtControls& controls, Platform& platform, int descriptor, DriveList shown);

}  // namespace zarnel::qt
