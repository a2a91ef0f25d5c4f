#include "ui/win32/events.h"

#include "app/form1.h"
#include "app/late_answers.h"
#include "disk/disk_probes.h"
#include "probes/special_folders.h"
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
            form_.memory().Command2_Click();
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
    if (ctl == Ctl::Drive1) Drive1_Change(controls_, platform_);
    if (ctl == Ctl::Combo1) Combo1_Click(controls_, platform_);
}

void Form1Events::sliderChanged() {
    form_.memory().Slider1_Change();
}

void Form1Events::timerTick() {
    form_.memory().Timer1_Timer();
}

bool Form1Events::queryUnload(std::int16_t unloadMode) {
    std::int16_t cancel = 0;
    form_.Form_QueryUnload(cancel, unloadMode);
    return cancel == 0;
}

void Form1Events::drivesChanged(std::uint32_t letters) {
    shown_ = refreshDrive1(controls_, platform_, shown_, letters);
}

void Form1Events::lateAnswer() {
    const auto show = [this](const LateNews& news) {
        showChosenAgain(controls_, platform_);
        showMissingFactsAgain(controls_, platform_, news);
    };
    if (showLateAnswers_) {
        showLateAnswers_(show);
    } else {
        show({});
    }
}

void startForm(Win32Controls& controls, Platform& platform, Form1& form, Form1Events& events) {
    events.drivesShown(fillDrive1(controls, platform));  // filled as the window is built
    form.Form_Load();
    controls.setEvents(&events);
}

}  // namespace zarnel::win32
