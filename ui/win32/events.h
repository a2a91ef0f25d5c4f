// Hooks the form's handlers to the window's events.
#pragma once

#include "ui/win32/form_events.h"

namespace zarnel {
class Form1;
class Platform;
}  // namespace zarnel

namespace zarnel::win32 {

class Win32Controls;

// Every event of the window, delivered to the form's handler for it.
class Form1Events : public FormEvents {
  public:
    Form1Events(Controls& controls, Platform& platform, Form1& form)
        : controls_(controls), platform_(platform), form_(form) {}

    void tabSelected(int previous) override;
    void clicked(Ctl ctl) override;
    void picked(Ctl ctl) override;
    void sliderChanged() override;
    void timerTick() override;
    bool queryUnload(std::int16_t unloadMode) override;

  private:
    Controls& controls_;
    Platform& platform_;
    Form1& form_;
};

// Fills the drive list and runs the form's load handler, then delivers every later event to
// `events`, which must outlive the window.
void startForm(Win32Controls& controls, Platform& platform, Form1& form, FormEvents& events);

}  // namespace zarnel::win32
