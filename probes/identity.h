// The names of the machine and its user on the PC tab.
#pragma once

#include "platform/platform.h"
#include "window/controls.h"

namespace zarnel {

// Text1: the computer name. A failed call leaves the buffer empty and so the field.
void ComputerName(Controls& controls, Platform& platform);
// Text2: the login user name, the same way.
void UserName(Controls& controls, Platform& platform);
// Text13: the DNS host name, or the text of the DNS error table, or "取得不能".
void DNShoustomei(Controls& controls, Platform& platform);
// Text14: the DNS domain of the physical machine, the same way.
void DOMEINmei(Controls& controls, Platform& platform);

}  // namespace zarnel
