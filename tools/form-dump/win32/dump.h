// The native window as JSON, in the schema of the Qt window's dump: every control and
// control-array element with its place, visibility, focus order and contents.
#pragma once

#include <windows.h>

#include <string>

#include "tools/form-dump/win32/json.h"

namespace zarnel::win32 {
class Win32Controls;
}

namespace zarnel::tools {

Json::Object dumpControls(const win32::Win32Controls& controls);
// The control name of a window or of the control it is part of ("lblX(3)" for an array
// element); empty if none.
std::string controlName(const win32::Win32Controls& controls, HWND window);

}  // namespace zarnel::tools
