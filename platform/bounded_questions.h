// Questions a network share's server may never answer: one that went away holds whoever asks
// in the system for as long as it is gone (for ever on a hard NFS mount, until the network
// gives up on a Windows share); and, on Windows, questions a disc that spins up or is read
// over and over holds for seconds. Each question is asked on a helper thread and waited for at
// most a deadline. A subject whose earlier question is still unanswered is not asked again
// until that answer comes, so asking again neither waits again nor piles up threads. Copies
// share what is still unanswered.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <system_error>
#include <utility>

#include "platform/detached_thread.h"

namespace zarnel {

// Long enough for a share behind a slow link (a few round trips across a VPN) to answer, short
// enough that choosing one whose server is gone still settles the whole tab within a second.
inline constexpr std::chrono::milliseconds kNetworkAnswerDeadline{750};
// Long enough for a disc that had stopped to spin up again (two to three seconds on most drives);
// a scratched disc read over and over, or an empty floppy drive, is given up on after it.
inline constexpr std::chrono::milliseconds kRemovableMediumAnswerDeadline{4000};

class BoundedQuestions {
  public:
    // The answer, or nothing when none came within `deadline`, an earlier question about
    // `subject` is still unanswered, or no thread could be started.
    template <typename Answer>
    std::optional<Answer> ask(const std::string& subject, std::function<Answer()> question,
                              std::chrono::milliseconds deadline) const {
        if (!unanswered_->hold(subject)) return std::nullopt;
        auto reply = std::make_shared<Reply<Answer>>();
        try {
            // The thread owns what it touches: it may outlive this call and its asker.
            startDetached(
                [unanswered = unanswered_, reply, subject, question = std::move(question)] {
                    Answer answer = question();
                    // Released before the answer is given, so whoever gets it may ask again.
                    unanswered->release(subject);
                    reply->give(std::move(answer));
                });
        } catch (const std::system_error&) {
            unanswered_->release(subject);
            return std::nullopt;
        }
        return reply->await(deadline);
    }

  private:
    struct Unanswered {
        std::mutex mutex;
        std::set<std::string> subjects;

        bool hold(const std::string& subject) {
            const std::lock_guard lock(mutex);
            return subjects.insert(subject).second;
        }
        void release(const std::string& subject) {
            const std::lock_guard lock(mutex);
            subjects.erase(subject);
        }
    };

    template <typename Answer>
    struct Reply {
        std::mutex mutex;
        std::condition_variable ready;
        std::optional<Answer> answer;

        void give(Answer given) {
            {
                const std::lock_guard lock(mutex);
                answer = std::move(given);
            }
            ready.notify_one();
        }
        std::optional<Answer> await(std::chrono::milliseconds deadline) {
            std::unique_lock lock(mutex);
            ready.wait_for(lock, deadline, [this] { return answer.has_value(); });
            return answer;
        }
    };

    std::shared_ptr<Unanswered> unanswered_ = std::make_shared<Unanswered>();
};

// One call to the system, made as a bounded question; a test may stand in for the call.
template <typename Answer, typename... Args>
class BoundedCall {
  public:
    using Call = std::function<Answer(Args...)>;

    explicit BoundedCall(Call call) : call_(std::move(call)) {}

    // The call's answer for `args`; nothing as BoundedQuestions::ask gives nothing. The
    // arguments are copied: the helper thread may outlive the caller.
    std::optional<Answer> operator()(const std::string& subject, std::chrono::milliseconds deadline,
                                     Args... args) const {
        return questions_.ask<Answer>(
            subject, [call = call_, ... args = std::move(args)] { return call(args...); },
            deadline);
    }

  private:
    Call call_;
    BoundedQuestions questions_;
};

}  // namespace zarnel
