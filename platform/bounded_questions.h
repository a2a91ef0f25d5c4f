// Questions a network share's server may never answer: one that went away holds whoever asks
// in the system for as long as it is gone (for ever on a hard NFS mount, until the network
// gives up on a Windows share); and, on Windows, questions a disc that spins up or is read
// over and over holds for seconds. Each question is asked on a helper thread and waited for at
// most a deadline. A subject whose earlier question is still unanswered is not asked again
// until that answer comes, so asking again neither waits again nor piles up threads. Copies
// share what is still unanswered, and what they keep.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <system_error>
#include <typeindex>
#include <utility>

#include "platform/detached_thread.h"

namespace zarnel {

// Long enough for a share behind a slow link (a few round trips across a VPN) to answer, short
// enough that choosing one whose server is gone still settles the whole tab within a second.
inline constexpr std::chrono::milliseconds kNetworkAnswerDeadline{750};
// Long enough for a disc that had stopped to spin up again (two to three seconds on most drives);
// a scratched disc read over and over, or an empty floppy drive, is given up on after it.
inline constexpr std::chrono::milliseconds kRemovableMediumAnswerDeadline{4000};

// How long a kept answer stands: the several questions one choice of a drive asks of its
// volume, and the ones asked again when a late answer is shown, are all answered by one
// question to the server; a drive chosen again a little later is asked afresh.
inline constexpr std::chrono::milliseconds kKeptAnswerStands{2000};

// How a BoundedQuestions that keeps its answers keeps them: each answer stands for
// `stands` after it came, as the clock `now` tells; `late` is told, on the helper thread, of
// each answer that came after its asker had stopped waiting, so that whoever showed "no
// answer" may ask again and be given it at once. `late` may be called after its giver is gone.
struct AnswerKeeping {
    std::chrono::milliseconds stands = kKeptAnswerStands;
    std::function<void()> late;
    std::function<std::chrono::steady_clock::time_point()> now = std::chrono::steady_clock::now;
};

class BoundedQuestions {
  public:
    BoundedQuestions() = default;
    explicit BoundedQuestions(AnswerKeeping keeping)
        : state_(std::make_shared<State>(std::move(keeping))) {}

    // The answer, or nothing when none came within `deadline`, an earlier question about
    // `subject` is still unanswered, or no thread could be started. Where answers are kept, an
    // answer to a question of this `kind` about `subject` that still stands is given without
    // asking.
    template <typename Answer>
    std::optional<Answer> ask(const std::string& subject, std::function<Answer()> question,
                              std::chrono::milliseconds deadline,
                              const std::string& kind = {}) const {
        const Key key{subject + '\0' + kind, std::type_index(typeid(Answer))};
        if (auto kept = state_->standing<Answer>(key)) return kept;
        if (!state_->hold(subject)) return std::nullopt;
        auto reply = std::make_shared<Reply<Answer>>();
        try {
            // The thread owns what it touches: it may outlive this call and its asker.
            startDetached([state = state_, reply, subject, key, question = std::move(question)] {
                Answer answer = question();
                // Kept and released before the answer is given, so whoever gets it may ask
                // again and find it.
                state->settle(subject, key, answer);
                if (!reply->give(std::move(answer))) state->tellLate();
            });
        } catch (const std::system_error&) {
            state_->release(subject);
            return std::nullopt;
        }
        return reply->await(deadline);
    }

    // Answers kept so far are asked afresh: a drive's medium or mapping changed.
    void forgetAnswers() const { state_->forget(); }

  private:
    using Clock = std::chrono::steady_clock;
    // A kept answer's subject and kind of question, and the answer's type.
    using Key = std::pair<std::string, std::type_index>;

    struct State {
        State() = default;
        explicit State(AnswerKeeping rules) : keeping(std::move(rules)) {}

        std::mutex mutex;
        std::set<std::string> unanswered;
        std::optional<AnswerKeeping> keeping;
        struct Kept {
            Clock::time_point came;
            std::shared_ptr<const void> answer;
        };
        std::map<Key, Kept> kept;

        bool hold(const std::string& subject) {
            const std::lock_guard lock(mutex);
            return unanswered.insert(subject).second;
        }
        void release(const std::string& subject) {
            const std::lock_guard lock(mutex);
            unanswered.erase(subject);
        }

        template <typename Answer>
        void settle(const std::string& subject, const Key& key, const Answer& answer) {
            const std::lock_guard lock(mutex);
            unanswered.erase(subject);
            if (!keeping) return;
            kept.insert_or_assign(key,
                                  Kept{keeping->now(), std::make_shared<const Answer>(answer)});
        }

        template <typename Answer>
        std::optional<Answer> standing(const Key& key) {
            const std::lock_guard lock(mutex);
            if (!keeping) return std::nullopt;
            const auto found = kept.find(key);
            if (found == kept.end()) return std::nullopt;
            if (keeping->now() - found->second.came >= keeping->stands) {
                kept.erase(found);
                return std::nullopt;
            }
            return *std::static_pointer_cast<const Answer>(found->second.answer);
        }

        void forget() {
            const std::lock_guard lock(mutex);
            kept.clear();
        }

        void tellLate() {
            std::function<void()> late;
            {
                const std::lock_guard lock(mutex);
                if (keeping) late = keeping->late;
            }
            if (late) late();
        }
    };

    template <typename Answer>
    struct Reply {
        std::mutex mutex;
        std::condition_variable ready;
        std::optional<Answer> answer;
        bool abandoned = false;

        // Whether the asker was still waiting for it.
        bool give(Answer given) {
            {
                const std::lock_guard lock(mutex);
                if (abandoned) return false;
                answer = std::move(given);
            }
            ready.notify_one();
            return true;
        }
        std::optional<Answer> await(std::chrono::milliseconds deadline) {
            std::unique_lock lock(mutex);
            if (!ready.wait_for(lock, deadline, [this] { return answer.has_value(); })) {
                abandoned = true;
            }
            return answer;
        }
    };

    std::shared_ptr<State> state_ = std::make_shared<State>();
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
