// The real Linux provider, less the 10 ms pause of a scrolling tick, so a benchmark measures
// the work of a tick and not its sleep.
#pragma once

#include "platform/linux/linux_platform.h"

namespace zarnel::bench {

class NoSleepLinux : public LinuxPlatform {
  public:
    void sleep(std::uint32_t) override {}
};

// Ticks start at this graph time, well inside the scrolling phase, and go back to it long
// before the timer would stop.
inline constexpr float kSteadyTime = 20;
inline constexpr float kRewindAfter = 9000;

}  // namespace zarnel::bench
