// Hooks the form's handlers to the window's events.
#pragma once

#include <functional>

#include "platform/bounded_questions.h"
#include "platform/platform.h"

namespace zarnel {
class Form1;
}  // namespace zarnel

namespace zarnel::qt {

class QtControls;

// Fills the drive list, runs the form's load handler, then delivers every event to its handler:
// the form's, its memory tab's, or the drive and folder lists' own. Returns the drive list shown.
DriveList startForm(QtControls& controls, Platform& platform, Form1& form);

// What tells the window that drives may have come or gone, or that a drive it showed without
// an answer has answered since; -1 for a watch it does not have.
struct DriveWatches {
    int mountTable = -1;  // raises its exceptional condition at each change of the mount table
    int devices = -1;     // turns readable when a device node comes or goes
    std::function<void()> devicesSeen;  // takes what made `devices` readable
    int lateAnswers = -1;               // turns readable when a drive answered late
    // Shows them as the provider shows late answers, taking what made `lateAnswers` readable.
    LateAnswersShow showLateAnswers;
};

// Fills the drive list, which shows `shown`, again whenever one of `watches` tells of drives,
// and shows the chosen drive again whenever one answered late.
void watchDrives(QtControls& controls, Platform& platform, const DriveWatches& watches,
                 DriveList shown);

}  // namespace zarnel::qt
