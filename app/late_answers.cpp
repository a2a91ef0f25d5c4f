#include "app/late_answers.h"

#include "disk/disk_probes.h"
#include "probes/special_folders.h"

namespace zarnel {

void showChosenAgain(Controls& controls, Platform& platform) {
    Drive1_Change(controls, platform);
    if (controls.listIndex(Ctl::Combo1) >= 0) Combo1_Click(controls, platform);
}

}  // namespace zarnel
