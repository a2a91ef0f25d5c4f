// What the window tells the form: one call per kind of event the form handles.
#pragma once

#include <cstdint>

#include "window/controls.h"

namespace zarnel::win32 {

class FormEvents {
  public:
    virtual ~FormEvents() = default;

    // A tab was selected; carries the tab selected before.
    virtual void tabSelected(int previous) = 0;
    // A click on a picture box, a button or a menu item.
    virtual void clicked(Ctl ctl) = 0;
    // The user picked another entry of a drop-down.
    virtual void picked(Ctl ctl) = 0;
    virtual void sliderChanged() = 0;
    virtual void timerTick() = 0;
    // The window is asked to close; false refuses.
    virtual bool queryUnload(std::int16_t unloadMode) = 0;
    // Drives came or went, or their media did: one bit per letter, bit 0 for a:.
    virtual void drivesChanged(std::uint32_t letters) = 0;
    // A drive, or a folder on one, answered after the window had stopped waiting for it.
    virtual void lateAnswer() = 0;
};

}  // namespace zarnel::win32
