// What a screen reader calls each field of the native window: the caption of its row label,
// frame or menu item, as the Qt window names it.
#pragma once

namespace zarnel::win32 {

class Win32Controls;

// Call once the window is built. Each field answers a screen reader's question for its
// accessible object with the standard object under the field's name, read when asked.
void nameForScreenReaders(const Win32Controls& controls);

}  // namespace zarnel::win32
