// Questions a network share's server may never answer: one that went away holds whoever asks
// in the system for as long as it is gone (for ever on a hard NFS mount, until the network
// gives up on a Windows share); questions a disc that spins up or is read over and over holds
// for seconds (Windows), and those a program serving a file system holds while its disk retries
// (FUSE on Linux). Each question is asked on a helper thread and waited for at
// most a deadline. A subject whose earlier question is still unanswered is not asked again
// until that answer comes, so asking again neither waits again nor piles up threads. Copies
// share what is still unanswered, and what they keep.
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
#include <typeindex>
#include <utility>

#include "platform/detached_thread.h"
#include "platform/kept_answers.h"

namespace zarnel {

// Long enough for a share behind a slow link (a few round trips across a VPN) to answer, short
// enough that choosing one whose server is gone still settles the whole tab within a second.
inline constexpr std::chrono::milliseconds kNetworkAnswerDeadline{750};
// Long enough for a disc that had stopped to spin up again (two to three seconds on most drives);
// a scratched disc read over and over, or an empty floppy drive, is given up on after it. A
// FUSE program serving a disk gets as long: it may have to wake the disk first.
inline constexpr std::chrono::milliseconds kRemovableMediumAnswerDeadline{4000};

// What a provider learnt with its late answers, beyond the answers themselves.
struct LateNews {
    // The user's home folder, unknown until now (a directory server slow to answer): what was
    // read below it, the panels' settings, is to be read again.
    bool homeLearnt = false;
};

// Runs `show` (what shows the chosen drive and folder again) as a provider shows late answers:
// see BoundedQuestions::showingLateAnswers.
using LateAnswersShow = std::function<void(const std::function<void(const LateNews&)>& show)>;

class BoundedQuestions {
  public:
    BoundedQuestions() = default;
    // Answers are kept where `keeping` says; nothing is kept without it.
    explicit BoundedQuestions(std::optional<AnswerKeeping> keeping)
        : state_(keeping ? std::make_shared<State>(std::move(*keeping))
                         : std::make_shared<State>()) {}

    // The answer, or nothing when none came within `deadline`, an earlier question about
    // `subject` is still unanswered, or no thread could be started. Where answers are kept, an
    // answer to a question of this `kind` about `subject` that still stands is given without
    // asking.
    template <typename Answer>
    std::optional<Answer> ask(const std::string& subject, std::function<Answer()> question,
                              std::chrono::milliseconds deadline,
                              const std::string& kind = {}) const {
        KeptAnswers::Key key{subject, kind, std::type_index(typeid(Answer))};
        KeptAnswers* const kept = state_->kept.get();
        if (kept) {
            if (auto answer = kept->standing<Answer>(key)) return answer;
        }
        // Showing late answers, a question is asked and not waited for: its answer is late.
        const bool waited = !kept || !kept->showingLate();
        if (!state_->hold(subject)) return std::nullopt;
        const std::uint64_t generation = kept ? kept->generation() : 0;
        std::shared_ptr<Reply<Answer>> reply;
        try {
            reply = std::make_shared<Reply<Answer>>();
            if (!waited) reply->abandon();
            // The thread owns what it touches: it may outlive this call and its asker.
            startDetached([state = state_, reply, key = std::move(key), generation,
                           question = std::move(question)] {
                Answer answer = question();
                const bool awaited = reply->claim();
                // Kept and released before the answer is given or told of, so whoever gets it
                // may ask again and find it.
                if (state->kept) state->kept->keep(key, answer, generation);
                state->release(key.subject);
                if (awaited) {
                    reply->give(std::move(answer));
                } else if (state->kept) {
                    state->kept->tellLate();
                }
            });
        } catch (const std::exception&) {
            // No thread, or no room for one: not asked.
            state_->release(subject);
            return std::nullopt;
        }
        return waited ? reply->await(deadline) : std::nullopt;
    }

    // What was kept is asked afresh, and answers to questions asked before are not kept:
    // drives, or their media, changed.
    void forgetAnswers() const {
        if (state_->kept) state_->kept->forget();
    }

    // While the returned object lives, questions are answered as late answers are shown: any
    // kept answer is given however old, and a question without one is asked without waiting,
    // its answer told when it comes. So showing late answers never waits, and never asks again
    // what it showed; each late answer it is told of fills in what was missing.
    class LateAnswersShown {
      public:
        // Keeps what it shows alive: the questions may be replaced meanwhile.
        explicit LateAnswersShown(std::shared_ptr<KeptAnswers> kept) : kept_(std::move(kept)) {
            if (kept_) kept_->startShowingLate();
        }
        ~LateAnswersShown() {
            if (kept_) kept_->stopShowingLate();
        }
        LateAnswersShown(const LateAnswersShown&) = delete;
        LateAnswersShown& operator=(const LateAnswersShown&) = delete;

      private:
        std::shared_ptr<KeptAnswers> kept_;
    };
    [[nodiscard]] LateAnswersShown showingLateAnswers() const {
        return LateAnswersShown(state_->kept);
    }

  private:
    struct State {
        State() = default;
        explicit State(AnswerKeeping rules)
            : kept(std::make_shared<KeptAnswers>(std::move(rules))) {}

        std::mutex mutex;
        std::set<std::string> unanswered;
        std::shared_ptr<KeptAnswers> kept;

        bool hold(const std::string& subject) {
            const std::lock_guard lock(mutex);
            return unanswered.insert(subject).second;
        }
        void release(const std::string& subject) {
            const std::lock_guard lock(mutex);
            unanswered.erase(subject);
        }
    };

    template <typename Answer>
    struct Reply {
        std::mutex mutex;
        std::condition_variable ready;
        std::optional<Answer> answer;
        bool claimed = false;
        bool abandoned = false;

        // Whether the asker still waits: then it waits on until the answer is given, however
        // near its deadline.
        bool claim() {
            const std::lock_guard lock(mutex);
            if (abandoned) return false;
            claimed = true;
            return true;
        }
        void give(Answer given) {
            {
                const std::lock_guard lock(mutex);
                answer = std::move(given);
            }
            ready.notify_one();
        }
        void abandon() {
            const std::lock_guard lock(mutex);
            abandoned = true;
        }
        std::optional<Answer> await(std::chrono::milliseconds deadline) {
            std::unique_lock lock(mutex);
            if (!ready.wait_for(lock, deadline, [this] { return claimed || answer.has_value(); })) {
                abandoned = true;
                return std::nullopt;
            }
            ready.wait(lock, [this] { return answer.has_value(); });
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

    // Answers are kept (see AnswerKeeping) where `keeping` says.
    explicit BoundedCall(Call call, std::optional<AnswerKeeping> keeping = {})
        : call_(std::move(call)), questions_(std::move(keeping)) {}

    // The call's answer for `args`; nothing as BoundedQuestions::ask gives nothing. The
    // arguments are copied: the helper thread may outlive the caller.
    std::optional<Answer> operator()(const std::string& subject, std::chrono::milliseconds deadline,
                                     Args... args) const {
        return questions_.ask<Answer>(
            subject, [call = call_, ... args = std::move(args)] { return call(args...); },
            deadline);
    }

    // See BoundedQuestions::showingLateAnswers.
    [[nodiscard]] BoundedQuestions::LateAnswersShown showingLateAnswers() const {
        return questions_.showingLateAnswers();
    }

  private:
    Call call_;
    BoundedQuestions questions_;
};

}  // namespace zarnel
