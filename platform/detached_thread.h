// A thread started to run on its own, never joined.
#pragma once

#include <functional>

namespace zarnel {

// Runs `work` on a new thread that nobody waits for. Throws std::system_error when no thread
// could be started. On Windows the thread is the system's own: the MinGW runtime's detach of a
// thread that already ended frees its record twice, and a later thread then starts on it.
void startDetached(std::function<void()> work);

}  // namespace zarnel
