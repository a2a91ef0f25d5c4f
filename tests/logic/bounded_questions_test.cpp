// Questions a network share may never answer: answers pass through, a silent server is given
// up on and asked again only once it has answered.
#include "platform/bounded_questions.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <future>
#include <thread>

#include "tests/support/stalled_server.h"
#include "tests/support/stepped_clock.h"

namespace zarnel {
namespace {

using std::chrono::milliseconds;

constexpr milliseconds kImpatient{1};
constexpr milliseconds kPatient{60'000};
constexpr int kAnswer = 42;
// Enough for the helper to finish on a loaded machine under wine; an answer ends it at once.
constexpr int kAttempts = 60'000;

// Whether `holds` comes true, looked at a millisecond apart, a bounded number of times: what a
// helper thread does is seen once it has done it, and a fault fails the test, not hangs it.
bool eventually(const std::function<bool()>& holds) {
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (holds()) return true;
        std::this_thread::sleep_for(milliseconds(1));
    }
    return false;
}

// A share whose server answers only when the test lets it; every other share answers at once.
class SilentServer : public ::testing::Test {
  protected:
    void TearDown() override { letAnswer(); }

    void letAnswer() {
        if (released_) return;
        released_ = true;
        gate_.set_value();
    }

    std::optional<int> ask(const std::string& share, milliseconds deadline) {
        return questions_.ask<int>(
            share,
            [share, gate = silence_, asked = asked_] {
                if (share == "gone") {
                    ++*asked;
                    gate.wait();
                }
                return kAnswer;
            },
            deadline);
    }

    std::promise<void> gate_;
    std::shared_future<void> silence_ = gate_.get_future().share();
    bool released_ = false;
    std::shared_ptr<std::atomic<int>> asked_ = std::make_shared<std::atomic<int>>(0);
    BoundedQuestions questions_;
};

TEST_F(SilentServer, IsGivenUpOnAndHeldWhileItKeepsSilent) {
    EXPECT_EQ(ask("gone", kImpatient), std::nullopt);
    // Held: even a question that would be answered at once is not asked, nor through a copy.
    const auto atOnce = [] { return kAnswer; };
    EXPECT_EQ(questions_.ask<int>("gone", atOnce, kPatient), std::nullopt);
    const BoundedQuestions copy = questions_;
    EXPECT_EQ(copy.ask<int>("gone", atOnce, kPatient), std::nullopt);
    // Other shares are not held up by the silent one.
    EXPECT_EQ(ask("nas", kPatient), kAnswer);
}

TEST_F(SilentServer, IsAskedAgainOnceItHasAnswered) {
    ASSERT_EQ(ask("gone", kImpatient), std::nullopt);
    EXPECT_EQ(ask("gone", kImpatient), std::nullopt);
    letAnswer();
    // The late answer frees the share when its helper finishes; until then the share still
    // reads as unanswered.
    std::optional<int> answer;
    EXPECT_TRUE(eventually([&] { return (answer = ask("gone", kPatient)).has_value(); }));
    EXPECT_EQ(answer, kAnswer);
    // The first question and the answered one: none while the share was held.
    EXPECT_EQ(asked_->load(), 2);
}

// Where answers are kept: each stands for a moment, so the several questions of one choice of
// a drive ask its server once; a late one is told of, and showing it asks nothing again.
class KeptAnswers : public ::testing::Test {
  protected:
    void wait(milliseconds time) const { clock_.advance(time); }

    // A question about `subject` that answers only once `server` is let answer, counted, and
    // waited for hardly at all (or for `deadline`).
    std::optional<int> askSlow(const std::string& subject, const testing::StalledServer& server,
                               const std::string& kind = {}, milliseconds deadline = kImpatient) {
        return questions_.ask<int>(
            subject,
            [server, asked = asked_] {
                ++*asked;
                server.hold();
                return kAnswer;
            },
            deadline, kind);
    }

    // The answer once the helper thread is done with its question, which holds the subject
    // until then. A question asked then answers kAskedAfresh.
    std::optional<int> settled(const std::string& subject, const std::string& kind = {}) {
        std::optional<int> answer;
        eventually([&] {
            answer = questions_.ask<int>(
                subject, [] { return kAskedAfresh; }, kPatient, kind);
            return answer.has_value();
        });
        return answer;
    }

    // The late answers told of so far, once there are at least `count`.
    int toldOnceThereAre(int count) const {
        eventually([&] { return told_->load() >= count; });
        return told_->load();
    }

    static constexpr milliseconds kStands{2000};
    static constexpr int kAskedAfresh = -1;
    const testing::SteppedClock clock_;
    std::shared_ptr<std::atomic<int>> told_ = std::make_shared<std::atomic<int>>(0);
    std::shared_ptr<std::atomic<int>> asked_ = std::make_shared<std::atomic<int>>(0);
    BoundedQuestions questions_{AnswerKeeping{
        .stands = kStands, .late = [told = told_] { ++*told; }, .now = clock_.reading()}};
};

TEST_F(KeptAnswers, AnAnswerStandsForAMoment) {
    auto asked = std::make_shared<std::atomic<int>>(0);
    const auto counted = [asked] { return kAnswer + asked->fetch_add(1); };
    EXPECT_EQ(questions_.ask<int>("nas", counted, kPatient), kAnswer);
    wait(kStands - milliseconds(1));
    EXPECT_EQ(questions_.ask<int>("nas", counted, kPatient), kAnswer);
    // Kept by share, by kind of question and by type of answer: another of each is asked.
    const auto seven = [] { return 7L; };
    EXPECT_EQ(questions_.ask<int>("other", counted, kPatient), kAnswer + 1);
    EXPECT_EQ(questions_.ask<int>("nas", counted, kPatient, "space"), kAnswer + 2);
    EXPECT_EQ(questions_.ask<long>("nas", seven, kPatient), 7L);
    wait(milliseconds(1));
    EXPECT_EQ(questions_.ask<int>("nas", counted, kPatient), kAnswer + 3);
    // Forgotten when drives change: asked again though it would still stand.
    questions_.forgetAnswers();
    EXPECT_EQ(questions_.ask<int>("nas", counted, kPatient), kAnswer + 4);
    EXPECT_EQ(asked->load(), 5);
    EXPECT_EQ(told_->load(), 0) << "answers that came in time are not late";
}

TEST_F(KeptAnswers, ALateAnswerIsToldAndGivenWithoutAskingAgain) {
    const testing::StalledServer server;
    ASSERT_EQ(askSlow("gone", server), std::nullopt);
    server.answer();
    EXPECT_EQ(settled("gone"), kAnswer);
    EXPECT_EQ(toldOnceThereAre(1), 1);
    EXPECT_EQ(asked_->load(), 1);
    wait(kStands);
    EXPECT_EQ(settled("gone"), kAskedAfresh);
}

// A drive slower than every wait, whose volume is asked only once its space has answered late:
// showing the late answers gives every answer kept, however old, and asks what is missing
// without waiting; each late answer fills in more, and nothing is asked twice.
TEST_F(KeptAnswers, ShowingLateAnswersNeverWaitsNorAsksAgain) {
    const testing::StalledServer space;
    ASSERT_EQ(askSlow("nas", space, "space"), std::nullopt);
    space.answer();
    ASSERT_EQ(toldOnceThereAre(1), 1);
    ASSERT_EQ(settled("nas", "space"), kAnswer);

    {
        const auto shown = questions_.showingLateAnswers();
        wait(kStands * 2);  // the window took its time
        EXPECT_EQ(askSlow("nas", space, "space", kPatient), kAnswer);
        // Asked and not waited for, however soon it answers: its answer is told of.
        const auto atOnce = [asked = asked_] {
            ++*asked;
            return kAnswer;
        };
        EXPECT_EQ(questions_.ask<int>("nas", atOnce, kPatient, "volume"), std::nullopt);
    }
    EXPECT_EQ(toldOnceThereAre(2), 2);
    {
        const auto shown = questions_.showingLateAnswers();
        wait(kStands * 2);
        EXPECT_EQ(settled("nas", "space"), kAnswer);
        EXPECT_EQ(settled("nas", "volume"), kAnswer);
    }
    EXPECT_EQ(asked_->load(), 2);
    // Shown, the answers stand only their moment again.
    EXPECT_EQ(settled("nas", "space"), kAskedAfresh);
}

// Showings of late answers inside one another: the first to end does not end the other.
TEST_F(KeptAnswers, LateAnswersAreShownUntilTheLastShowingEnds) {
    const auto outer = questions_.showingLateAnswers();
    { const auto inner = questions_.showingLateAnswers(); }
    // Not waited for, however soon it answers.
    EXPECT_EQ(questions_.ask<int>(
                  "nas", [] { return kAnswer; }, kPatient),
              std::nullopt);
    EXPECT_EQ(toldOnceThereAre(1), 1);
}

// A question asked before the drives changed answers about the drive as it was: not kept,
// though whoever got no answer is still told, to ask again.
TEST_F(KeptAnswers, AnAnswerAboutDrivesBeforeTheyChangedIsToldButNotKept) {
    const testing::StalledServer server;
    ASSERT_EQ(askSlow("stick", server), std::nullopt);
    questions_.forgetAnswers();
    server.answer();
    EXPECT_EQ(toldOnceThereAre(1), 1);
    EXPECT_EQ(settled("stick"), kAskedAfresh);
}

}  // namespace
}  // namespace zarnel
