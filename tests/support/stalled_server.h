// A stand-in for a server that went silent: each call counts itself, then waits until the test
// lets it answer. The call is made on a helper thread that may start late on a busy machine, so
// a test counts the calls only once the first has arrived.
#pragma once

#include <atomic>
#include <chrono>
#include <future>
#include <memory>

namespace zarnel::testing {

class StalledServer {
  public:
    // In the stand-in: counted, then held until `answer`.
    void hold() const {
        if (state_->calls.fetch_add(1) == 0) state_->arrived.set_value();
        state_->answered.wait();
    }

    // The calls made so far, once the first has arrived (or none came in a long while: a fault
    // that never asks fails on the count, not by hanging the suite).
    int callsOnceOneArrived() const {
        constexpr auto kLongWhile = std::chrono::seconds(30);
        state_->firstCall.wait_for(kLongWhile);
        return state_->calls.load();
    }

    void answer() const {
        if (!state_->released.exchange(true)) state_->release.set_value();
    }

  private:
    struct State {
        std::atomic<int> calls{0};
        std::promise<void> arrived;
        std::shared_future<void> firstCall = arrived.get_future().share();
        std::atomic<bool> released{false};
        std::promise<void> release;
        std::shared_future<void> answered = release.get_future().share();
    };
    std::shared_ptr<State> state_ = std::make_shared<State>();
};

}  // namespace zarnel::testing
