// A descriptor that turns readable when a bounded question answered after its asker had
// stopped waiting, for a toolkit's event loop: a share that answered late is shown then, not
// only when it is chosen again.
#pragma once

#include <functional>
#include <memory>

#include "platform/linux/descriptor.h"

namespace zarnel::linux_fs {

class AnswerSignal {
  public:
    AnswerSignal();

    // -1 when no event descriptor could be made.
    int descriptor() const { return fd_->get(); }
    // What a helper thread calls for each late answer; it may outlive this object.
    std::function<void()> teller() const;
    // Takes the answers told so far, so the descriptor is quiet until the next one.
    void drain() const;

  private:
    std::shared_ptr<const Descriptor> fd_;
};

}  // namespace zarnel::linux_fs
