#include "platform/linux/answer_signal.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

namespace zarnel::linux_fs {

AnswerSignal::AnswerSignal()
    : fd_(std::make_shared<const Descriptor>(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))) {}

std::function<void()> AnswerSignal::teller() const {
    return [fd = fd_] {
        if (fd->get() < 0) return;
        const std::uint64_t one = 1;
        // Full only after 2^64 - 2 answers nobody took: one more changes nothing then.
        [[maybe_unused]] const ssize_t written = ::write(fd->get(), &one, sizeof one);
    };
}

void AnswerSignal::drain() const {
    if (fd_->get() < 0) return;
    std::uint64_t count = 0;
    [[maybe_unused]] const ssize_t taken = ::read(fd_->get(), &count, sizeof count);
}

}  // namespace zarnel::linux_fs
