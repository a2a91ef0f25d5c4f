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

    // Fills the drive list; the window calls it once when it is built, before Form_Load.
    void fillDrive1();
    // Drive1's selection changed: the six disk probes on the new drive.
    void Drive1_Change();
    // An entry of Combo1 was chosen, by the user or by start-up.
    void Combo1_Click();

  private:
    // Selects Combo1's first entry and runs its click handler, as a user's pick would.
    void selectFirstFolder();

    Controls& controls_;
    Platform& platform_;
};

}  // namespace zarnel
