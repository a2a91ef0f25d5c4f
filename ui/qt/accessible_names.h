// What a screen reader calls each control: a field by its row label, a list by its label or
// frame, the figures by what they show now; decoration left out.
#pragma once

namespace zarnel::qt {

class QtControls;

// Call once the window is built, before it is shown.
void nameForScreenReaders(QtControls& controls);

}  // namespace zarnel::qt
