// Opening the display. Without one Qt aborts with advice to reinstall; a person who ran the
// program over ssh or from a service needs to hear that there is no display, and a script
// needs an exit code that is not a crash.
#pragma once

#include <memory>

class QApplication;

namespace zarnel::qt {

// The application object, or: one line on standard error and exit code 1.
std::unique_ptr<QApplication> connectToDisplay(int& argc, char** argv);

}  // namespace zarnel::qt
