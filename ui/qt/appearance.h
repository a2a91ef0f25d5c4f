// Application-wide look shared by the window and the tools that build it.
#pragma once

namespace zarnel::qt {

// The window style, font substitutions and the default font; call once after the application
// object exists, before the first widget.
void applyAppearance();

}  // namespace zarnel::qt
