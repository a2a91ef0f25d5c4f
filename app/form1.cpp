#include "app/form1.h"

#include "disk/disk_probes.h"
#include "probes/identity.h"
#include "probes/special_folders.h"

namespace zarnel {

Form1::Form1(Controls& controls, Platform& platform) : controls_(controls), platform_(platform) {}

void Form1::Form_Load() {
    DNShoustomei(controls_, platform_);  // step 4
    DOMEINmei(controls_, platform_);     // step 5
    Drive1_Change();                     // steps 6 to 11: the disk probes on the initial drive
    ComputerName(controls_, platform_);  // step 13
    UserName(controls_, platform_);      // step 14
    selectFirstFolder();                 // step 16
}

void Form1::fillDrive1() {
    zarnel::fillDrive1(controls_, platform_);
}

void Form1::Drive1_Change() {
    zarnel::Drive1_Change(controls_, platform_);
}

void Form1::Combo1_Click() {
    zarnel::Combo1_Click(controls_, platform_);
}

void Form1::selectFirstFolder() {
    controls_.setListIndex(Ctl::Combo1, 0);
    Combo1_Click();
}

}  // namespace zarnel
