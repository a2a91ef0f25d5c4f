// Hooks the form's handlers to the window's events.
#pragma once

namespace zarnel {
class Form1;
}

namespace zarnel::qt {

class QtControls;

// Runs the form's load handler, then delivers every event the form handles to it.
void startForm(QtControls& controls, Form1& form);

}  // namespace zarnel::qt
