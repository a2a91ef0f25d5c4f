// The management service, asked on a helper thread with a deadline (see BoundedQuestions): one
// that hangs while it starts (a damaged repository) holds whoever connects to it for up to two
// minutes, and the window asks it three times before it is first shown.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/bounded_questions.h"
#include "platform/platform.h"

namespace zarnel::win32 {

// Long enough for the service to start on a slow machine just booted; short enough that a hung
// one keeps the window from showing for seconds, not minutes.
inline constexpr std::chrono::milliseconds kWmiServiceDeadline{10000};

// Every instance of `className`, asked of the service on the calling thread. Throws WmiError.
std::vector<WmiInstance> queryInstances(const std::string& className);

class WmiService {
  public:
    using Query = std::function<std::vector<WmiInstance>(const std::string& className)>;

    // Answers are kept by class where `keeping` says, and an answer that came too late is told
    // (a service still starting on a machine just booted).
    explicit WmiService(Query query = queryInstances,
                        std::chrono::milliseconds deadline = kWmiServiceDeadline,
                        std::optional<AnswerKeeping> keeping = {});

    // Every instance of `className`. Throws WmiError when the query failed, gave no answer
    // within the deadline, or an earlier query is still unanswered: a service that hangs for
    // one class hangs for all.
    std::vector<WmiInstance> instances(const std::string& className) const;

    // See BoundedQuestions::showingLateAnswers.
    [[nodiscard]] BoundedQuestions::LateAnswersShown showingLateAnswers() const {
        return questions_.showingLateAnswers();
    }

  private:
    Query query_;
    std::chrono::milliseconds deadline_;
    BoundedQuestions questions_;
};

}  // namespace zarnel::win32
