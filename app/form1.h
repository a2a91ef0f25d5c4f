// The window's logic: its window-level variables, the start-up sequence and every event
// handler. It writes through Controls and asks the system through Platform, nothing else.
#pragma once

#include "app/controls.h"
#include "platform/platform.h"

namespace zarnel {

class Form1 {
  public:
    Form1(Controls& controls, Platform& platform);

    // The start-up sequence; runs once, before the window is first shown.
    void Form_Load();

  private:
    Controls& controls_;
    Platform& platform_;
};

}  // namespace zarnel
