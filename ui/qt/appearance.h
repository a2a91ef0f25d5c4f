// Application-wide look shared by the window and the tools that build it.
#pragma once

namespace zarnel::qt {

// The window style, font substitutions, the default font and Qt's own texts in Japanese;
// call once after the application object exists, before the first widget.
void applyAppearance();

}  // namespace zarnel::qt
