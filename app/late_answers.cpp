#include "app/late_answers.h"

#include <algorithm>
#include <string>
#include <vector>

#include "disk/disk_probes.h"
#include "probes/identity.h"
#include "probes/special_folders.h"
#include "probes/taskbar.h"
#include "probes/trapped.h"
#include "probes/wmi_probes.h"

namespace zarnel {

void showChosenAgain(Controls& controls, Platform& platform) {
    Drive1_Change(controls, platform);
    if (controls.listIndex(Ctl::Combo1) >= 0) Combo1_Click(controls, platform);
}

namespace {

// Whether a list of facts shows that some could not be had: the lists keep what came before.
bool showsTrapped(const Controls& controls, Ctl list) {
    const std::vector<std::string> items = controls.items(list);
    return std::ranges::find(items, kTrapped) != items.end();
}

}  // namespace

void showMissingFactsAgain(Controls& controls, Platform& platform, const LateNews& news) {
    // A failed user name leaves the field empty; no login is empty.
    if (controls.text(Ctl::Text2).empty()) UserName(controls, platform);
    if (controls.text(Ctl::Text12) == kTrapped) TourokuKaisya(controls, platform);
    // A machine that never has them (no firmware tables) gets the same lines again, which
    // leave the list as it is.
    if (showsTrapped(controls, Ctl::List2)) Pruseltusa(controls, platform);
    if (showsTrapped(controls, Ctl::List3)) Biosjyouhou(controls, platform);
    if (news.homeLearnt) TaskbarSettings(controls, platform);
}

}  // namespace zarnel
