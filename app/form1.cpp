#include "app/form1.h"

#include "probes/identity.h"
#include "probes/power.h"
#include "probes/taskbar.h"
#include "probes/wmi_probes.h"

namespace zarnel {

Form1::Form1(Controls& controls, Platform& platform) : controls_(controls), platform_(platform) {}

void Form1::Form_Load() {
    TourokuKaisya(controls_, platform_);  // step 1
    Pruseltusa(controls_, platform_);     // step 2
    Biosjyouhou(controls_, platform_);    // step 3

    DNShoustomei(controls_, platform_);  // step 4
    DOMEINmei(controls_, platform_);     // step 5
    Memorii();                           // step 12
    ComputerName(controls_, platform_);  // step 13
    UserName(controls_, platform_);      // step 14
    // Step 15: a failed power query ends start-up once its message box is closed.
    if (PowerStatus(controls_, platform_) != PowerOutcome::Shown) return;
    TaskbarSettings(controls_, platform_);  // step 17
    GraphStartUp();                         // steps 18 to 24
}

}  // namespace zarnel
