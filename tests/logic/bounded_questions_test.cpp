// Questions a network share may never answer: answers pass through, a silent server is given
// up on and asked again only once it has answered.
#include "platform/bounded_questions.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

namespace zarnel {
namespace {

using std::chrono::milliseconds;

constexpr milliseconds kImpatient{1};
constexpr milliseconds kPatient{60'000};
// How long a test waits for a helper thread's word before it fails rather than hangs.
constexpr std::chrono::seconds kLongWhile{30};
constexpr int kAnswer = 42;
// Enough for the helper to finish on a loaded machine under wine; an answer ends it at once.
constexpr int kAttempts = 60'000;

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
    // reads as unanswered. Bounded, so a share that stayed held fails here, not hangs.
    std::optional<int> answer;
    for (int attempt = 0; attempt < kAttempts && !answer; ++attempt) {
        answer = ask("gone", kPatient);
        if (!answer) std::this_thread::sleep_for(milliseconds(1));
    }
    EXPECT_EQ(answer, kAnswer);
    // The first question and the answered one: none while the share was held.
    EXPECT_EQ(asked_->load(), 2);
}

// Where answers are kept: one stands for a moment, so the several questions of one choice of a
// drive ask its server once; a late one is told of, and given at once to whoever asks next.
class KeptAnswers : public SilentServer {
  protected:
    KeptAnswers() {
        questions_ = BoundedQuestions(AnswerKeeping{
            .stands = kStands,
            .late = [told = told_] { told->set_value(); },
            .now = [clock = clock_] { return std::chrono::steady_clock::time_point(*clock); }});
    }

    void wait(milliseconds time) { *clock_ = clock_->load() + time; }

    static constexpr milliseconds kStands{2000};
    std::shared_ptr<std::atomic<std::chrono::steady_clock::duration>> clock_ =
        std::make_shared<std::atomic<std::chrono::steady_clock::duration>>();
    std::shared_ptr<std::promise<void>> told_ = std::make_shared<std::promise<void>>();
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
    EXPECT_EQ(told_->get_future().wait_for(std::chrono::seconds(0)), std::future_status::timeout)
        << "answers that came in time are not late";
}

TEST_F(KeptAnswers, ALateAnswerIsToldAndGivenWithoutAskingAgain) {
    ASSERT_EQ(ask("gone", kImpatient), std::nullopt);
    letAnswer();
    ASSERT_EQ(told_->get_future().wait_for(kLongWhile), std::future_status::ready);
    EXPECT_EQ(ask("gone", kImpatient), kAnswer);
    EXPECT_EQ(asked_->load(), 1);
    wait(kStands);
    EXPECT_EQ(ask("gone", kPatient), kAnswer);
    EXPECT_EQ(asked_->load(), 2);
}

}  // namespace
}  // namespace zarnel
