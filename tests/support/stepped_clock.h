// A steady clock that moves only when the test moves it, read from any thread.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>

namespace zarnel::testing {

class SteppedClock {
  public:
    using Clock = std::chrono::steady_clock;

    void advance(Clock::duration by) const { *time_ = time_->load() + by; }

    // The clock as a provider reads it; it shares the time with this object.
    std::function<Clock::time_point()> reading() const {
        return [time = time_] { return Clock::time_point(time->load()); };
    }

  private:
    std::shared_ptr<std::atomic<Clock::duration>> time_ =
        std::make_shared<std::atomic<Clock::duration>>();
};

}  // namespace zarnel::testing
