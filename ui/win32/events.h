// Hooks the form's handlers to the window's events.
#pragma once

#include <utility>

#include "platform/bounded_questions.h"
#include "platform/platform.h"
#include "ui/win32/form_events.h"

namespace zarnel {
class Form1;
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
    void drivesChanged(std::uint32_t letters) override;
    // Shows the chosen drive and folder again, either of which may be the one that answered.
    void lateAnswer() override;

    // How late answers are shown: as the provider shows them; else as any event is.
    void showLateAnswersWith(LateAnswersShow show) { showLateAnswers_ = std::move(show); }

    // The drive list as the window shows it, which a later change is compared with.
    void drivesShown(DriveList shown) { shown_ = std::move(shown); }

  private:
    Controls& controls_;
    Platform& platform_;
    Form1& form_;
    DriveList shown_;
    LateAnswersShow showLateAnswers_;
};

// Fills the drive list and runs the form's load handler, then delivers every later event to
// `events`, which must outlive the window.
void startForm(Win32Controls& controls, Platform& platform, Form1& form, Form1Events& events);

}  // namespace zarnel::win32
