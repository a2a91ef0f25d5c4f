#include "ui/win32/events.h"

#include "app/form1.h"
#include "ui/win32/win32_controls.h"

namespace zarnel::win32 {

void Form1Events::tabSelected(int previous) {
    form_.SSTab1_Click(static_cast<std::int16_t>(previous));
}

void Form1Events::clicked(Ctl ctl) {
    switch (ctl) {
        case Ctl::Picture4:
            form_.Picture4_Click();
            break;
        case Ctl::Command2:
            form_.Command2_Click();
            break;
        case Ctl::book:
            form_.book_Click();
            break;
        case Ctl::game:
            form_.game_Click();
            break;
        default:
            break;  // the form has no click handler for the others
    }
}

void Form1Events::picked(Ctl ctl) {
    if (ctl == Ctl::Drive1) form_.Drive1_Change();
    if (ctl == Ctl::Combo1) form_.Combo1_Click();
}

void Form1Events::sliderChanged() {
    form_.Slider1_Change();
}

void Form1Events::timerTick() {
    form_.Timer1_Timer();
}

bool Form1Events::queryUnload(std::int16_t unloadMode) {
    std::int16_t cancel = 0;
    form_.Form_QueryUnload(cancel, unloadMode);
    return cancel == 0;
}

void startForm(Win32Controls& controls, Form1& form, FormEvents& events) {
    form.fillDrive1();  // the drive list is filled as the window is built, before loading
    form.Form_Load();
    controls.setEvents(&events);
}

}  // namespace zarnel::win32
