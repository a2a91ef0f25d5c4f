// Opening the display. Without one Qt aborts with advice to reinstall; a person who ran the
// program over ssh or from a service needs to hear that there is no display, and a script
// needs an exit code that is not a crash.
#pragma once

#include <memory>

class QApplication;

namespace zarnel::qt {

// The application object, or: one line on standard error and exit code 1. On an X server it
// sends the window's pixels over the connection (see below).
std::unique_ptr<QApplication> connectToDisplay(int& argc, char** argv);

// While it lives, Qt connecting to an X server sends the window's pixels over the connection
// rather than through shared memory. The window repaints a band of its chart at every tick;
// through shared memory Qt must wait for the server to finish reading the last picture before
// it paints again (a round trip and two thread wake-ups per tick), which costs more than
// sending the band's few kilobytes, and the server keeps its own copy of the window for
// exposures. Afterwards the environment is as it was, so that programs the window starts (the
// browser) get the one the user gave; a user who set the switch keeps their own value.
class PixelsOverConnection {
  public:
    PixelsOverConnection();
    ~PixelsOverConnection();
    PixelsOverConnection(const PixelsOverConnection&) = delete;
    PixelsOverConnection& operator=(const PixelsOverConnection&) = delete;

  private:
    bool set_;
};

}  // namespace zarnel::qt
