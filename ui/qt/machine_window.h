// The window over a machine tree, its drive list following the tree's mounts and device nodes:
// what the program runs on "/" and the start-up benchmark on a fixture machine.
#pragma once

#include <filesystem>

namespace zarnel::qt {

// Builds the machine's provider and its two drive watches, then runs the window on them; the
// exit code. Needs a QApplication.
int runMachineWindow(const std::filesystem::path& root);

}  // namespace zarnel::qt
