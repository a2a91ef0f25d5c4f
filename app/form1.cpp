#include "app/form1.h"

#include "probes/identity.h"

namespace zarnel {

Form1::Form1(Controls& controls, Platform& platform) : controls_(controls), platform_(platform) {}

void Form1::Form_Load() {
    DNShoustomei(controls_, platform_);  // step 4
    DOMEINmei(controls_, platform_);     // step 5
    Memorii();                           // step 12
    ComputerName(controls_, platform_);  // step 13
    UserName(controls_, platform_);      // step 14
    GraphStartUp();                      // steps 18 to 24
}

}  // namespace zarnel
