#include "app/form1.h"

#include "disk/disk_probes.h"
#include "probes/identity.h"
#include "probes/power.h"
#include "probes/special_folders.h"
#include "probes/taskbar.h"
#include "probes/wmi_probes.h"

namespace zarnel {

Form1::Form1(Controls& controls, Platform& platform)
    : controls_(controls), platform_(platform), memory_(controls, platform) {}

void Form1::Form_Load() {
    TourokuKaisya(controls_, platform_);  // step 1
    Pruseltusa(controls_, platform_);     // step 2
    Biosjyouhou(controls_, platform_);    // step 3
    DNShoustomei(controls_, platform_);   // step 4
    DOMEINmei(controls_, platform_);      // step 5
    Drive1_Change(controls_, platform_);  // steps 6 to 11: the disk probes on the initial drive
    memory_.Memorii();                    // step 12
    ComputerName(controls_, platform_);   // step 13
    UserName(controls_, platform_);       // step 14
    // Step 15: a failed power query ends start-up once its message box is closed.
    if (PowerStatus(controls_, platform_) != PowerOutcome::Shown) return;
    selectFirstFolder();                    // step 16
    TaskbarSettings(controls_, platform_);  // step 17
    memory_.GraphStartUp();                 // steps 18 to 24
}

void Form1::selectFirstFolder() {
    controls_.setListIndex(Ctl::Combo1, 0);
    Combo1_Click(controls_, platform_);
}

}  // namespace zarnel
