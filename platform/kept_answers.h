// What bounded questions that keep their answers keep (see BoundedQuestions): each answer for a
// moment, so that the several questions one choice of a drive asks reach its server once, and a
// late one until the window that showed "no answer" asks again and takes it.
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

// How long the answers about one subject stand after the latest of them came: long enough for
// the questions one choice of a drive asks, and for the ones asked again when a late answer is
// shown, each of whose own late answers keeps the others standing; short enough that a drive
// chosen again a little later is asked afresh.
inline constexpr std::chrono::milliseconds kKeptAnswerStands{2000};
// How soon a question whose answer was told late is told late again: a drive slower than every
// wait would otherwise have the window ask it again, and wait again, for as long as it is shown.
inline constexpr std::chrono::milliseconds kLateAnswerToldAgainAfter{10'000};

struct AnswerKeeping {
    std::chrono::milliseconds stands = kKeptAnswerStands;
    // Told, on the helper thread, of an answer that came after its asker had stopped waiting,
    // so that whoever showed "no answer" may ask again and be given it at once. Called with the
    // kept answers locked: it must not ask again itself. It may be called after its giver is
    // gone.
    std::function<void()> late;
    std::chrono::milliseconds toldAgainAfter = kLateAnswerToldAgainAfter;
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

    // The kept answer to the question `key` names, while it stands.
    template <typename Answer>
    std::optional<Answer> standing(const Key& key) {
        const std::lock_guard lock(mutex_);
        const auto found = answers_.find(key);
        if (found == answers_.end()) return std::nullopt;
        const auto latest = latestAnswer_.find(key.subject);
        if (latest == latestAnswer_.end() || rules_.now() - latest->second >= rules_.stands) {
            answers_.erase(found);
            return std::nullopt;
        }
        return *std::static_pointer_cast<const Answer>(found->second);
    }

    // Keeps the answer to a question asked in `generation`, unless its answers were forgotten
    // since: it tells of drives as they were. One that came `late` is told of, unless its
    // question was told of a moment ago.
    template <typename Answer>
    void keep(const Key& key, const Answer& answer, bool late, std::uint64_t generation) {
        const std::lock_guard lock(mutex_);
        if (generation != generation_) return;
        const auto now = rules_.now();
        try {
            answers_.insert_or_assign(key, std::make_shared<const Answer>(answer));
            latestAnswer_.insert_or_assign(key.subject, now);
            if (!late) {
                toldLate_.erase(key);
                return;
            }
            const auto told = toldLate_.find(key);
            if (told != toldLate_.end() && now - told->second < rules_.toldAgainAfter) return;
            toldLate_.insert_or_assign(key, now);
        } catch (const std::bad_alloc&) {
            // Not kept: the question is asked again next time, as without keeping.
            return;
        }
        if (rules_.late) rules_.late();
    }

    // What was kept is asked afresh: drives, or their media, changed.
    void forget() {
        const std::lock_guard lock(mutex_);
        ++generation_;
        answers_.clear();
        latestAnswer_.clear();
        toldLate_.clear();
    }

  private:
    std::mutex mutex_;
    AnswerKeeping rules_;
    std::uint64_t generation_ = 0;
    std::map<Key, std::shared_ptr<const void>> answers_;
    std::map<std::string, std::chrono::steady_clock::time_point> latestAnswer_;
    std::map<Key, std::chrono::steady_clock::time_point> toldLate_;
};

}  // namespace zarnel
