// Application-wide look shared by the window and the tools that build it.
#pragma once

namespace zarnel::qt {

// Font substitutions and the default font; call once after the application object exists.
void applyAppearance();

}  // namespace zarnel::qt
