// What bounded questions that keep their answers keep (see BoundedQuestions): each answer for a
// moment, so that the several questions one choice of a drive asks reach its server once, and
// for as long as the window shows late answers, so that showing them never asks again.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <string>
#include <tuple>
#include <typeindex>
#include <utility>

namespace zarnel {

// How long an answer stands for questions asked as usual: long enough for the questions one
// choice of a drive asks, short enough that a drive chosen again a little later is asked
// afresh.
inline constexpr std::chrono::milliseconds kKeptAnswerStands{2000};

struct AnswerKeeping {
    std::chrono::milliseconds stands = kKeptAnswerStands;
    // Told, on the helper thread, of an answer that came after its asker had stopped waiting,
    // so that whoever showed "no answer" may show it. It may be called after its giver is gone.
    std::function<void()> late;
    std::function<std::chrono::steady_clock::time_point()> now = std::chrono::steady_clock::now;
};

class KeptAnswers {
  public:
    // The subject a question is about, its kind, and the type of its answer.
    struct Key {
        std::string subject;
        std::string kind;
        std::type_index type;

        bool operator<(const Key& other) const {
            return std::tie(subject, kind, type) < std::tie(other.subject, other.kind, other.type);
        }
    };

    explicit KeptAnswers(AnswerKeeping rules) : rules_(std::move(rules)) {}

    // Which forgetting the answers of questions asked now belong to.
    std::uint64_t generation() {
        const std::lock_guard lock(mutex_);
        return generation_;
    }

    // The kept answer to the question `key` names, while it stands; while late answers are
    // shown, however old.
    template <typename Answer>
    std::optional<Answer> standing(const Key& key) {
        const std::lock_guard lock(mutex_);
        const auto found = answers_.find(key);
        if (found == answers_.end()) return std::nullopt;
        if (showingLate_ == 0 && rules_.now() - found->second.came >= rules_.stands) {
            answers_.erase(found);
            return std::nullopt;
        }
        return *std::static_pointer_cast<const Answer>(found->second.answer);
    }

    // Keeps the answer to a question asked in `generation`, unless its answers were forgotten
    // since: it tells of drives as they were.
    template <typename Answer>
    void keep(const Key& key, const Answer& answer, std::uint64_t generation) {
        const std::lock_guard lock(mutex_);
        if (generation != generation_) return;
        try {
            answers_.insert_or_assign(key,
                                      Kept{rules_.now(), std::make_shared<const Answer>(answer)});
        } catch (const std::bad_alloc&) {
            // Not kept: the question is asked again next time, as without keeping.
        }
    }

    void tellLate() const {
        if (rules_.late) rules_.late();
    }

    // What was kept is asked afresh: drives, or their media, changed.
    void forget() {
        const std::lock_guard lock(mutex_);
        ++generation_;
        answers_.clear();
    }

    // Late answers are shown from the first start to the last stop.
    void startShowingLate() {
        const std::lock_guard lock(mutex_);
        ++showingLate_;
    }
    void stopShowingLate() {
        const std::lock_guard lock(mutex_);
        --showingLate_;
    }
    bool showingLate() {
        const std::lock_guard lock(mutex_);
        return showingLate_ > 0;
    }

  private:
    struct Kept {
        std::chrono::steady_clock::time_point came;
        std::shared_ptr<const void> answer;
    };

    std::mutex mutex_;
    const AnswerKeeping rules_;
    std::uint64_t generation_ = 0;
    int showingLate_ = 0;
    std::map<Key, Kept> answers_;
};

}  // namespace zarnel
