// statvfs of a file system that may never answer (a network share, a program's FUSE file
// system), with a deadline (see BoundedQuestions): one that does not answer in time reads as
// timed out.
#pragma once

#include <sys/statvfs.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/bounded_questions.h"

namespace zarnel::linux_fs {

class NetworkStat {
  public:
    // statvfs's own contract: 0, or -1 with errno set.
    using Stat = std::function<int(const char* path, struct statvfs* info)>;

    // Answers are kept (see AnswerKeeping) where `keeping` says.
    explicit NetworkStat(Stat stat = systemStat, std::optional<AnswerKeeping> keeping = {});

    static int systemStat(const char* path, struct statvfs* info);

    // 0 with `info` filled, or the errno of the failure: ETIMEDOUT when no answer came within
    // `deadline` or an earlier question about the same share is still unanswered. `share`
    // names what is mounted at `path` (its device number): a share mounted where a silent one
    // was taken away is asked afresh.
    int operator()(const std::string& path, std::string_view share, struct statvfs& info,
                   std::chrono::milliseconds deadline) const;

    // See BoundedQuestions::showingLateAnswers.
    [[nodiscard]] BoundedQuestions::LateAnswersShown showingLateAnswers() const {
        return questions_.showingLateAnswers();
    }

  private:
    Stat stat_;
    BoundedQuestions questions_;
};

}  // namespace zarnel::linux_fs
