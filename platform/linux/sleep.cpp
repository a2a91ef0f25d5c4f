#include <chrono>
#include <thread>

#include "platform/linux/linux_platform.h"

namespace zarnel {

void LinuxPlatform::sleep(std::uint32_t milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace zarnel
