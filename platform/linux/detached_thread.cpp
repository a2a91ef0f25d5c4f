#include "platform/detached_thread.h"

#include <thread>

namespace zarnel {

void startDetached(std::function<void()> work) {
    std::thread(std::move(work)).detach();
}

}  // namespace zarnel
