// Whether a special folder is there, asked with a deadline (see BoundedQuestions): a desktop or
// documents folder on a network share whose server went away holds whoever looks at it for as
// long as the server is gone (for ever on a hard NFS mount).
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>

#include "platform/bounded_questions.h"

namespace zarnel::linux_fs {

class FolderCheck {
  public:
    using IsFolder = std::function<bool(const std::filesystem::path& folder)>;

    // Answers are kept (see AnswerKeeping) where `keeping` says.
    explicit FolderCheck(IsFolder isFolder = systemIsFolder,
                         std::optional<AnswerKeeping> keeping = {});

    // Whether `folder` is one, else whether `make` (if given) made it; nothing when no answer
    // came within `deadline` or an earlier question about `folder` is still unanswered.
    std::optional<bool> operator()(const std::filesystem::path& folder, std::function<bool()> make,
                                   std::chrono::milliseconds deadline) const;

    // See BoundedQuestions::showingLateAnswers.
    [[nodiscard]] BoundedQuestions::LateAnswersShown showingLateAnswers() const {
        return questions_.showingLateAnswers();
    }

    static bool systemIsFolder(const std::filesystem::path& folder);

  private:
    IsFolder isFolder_;
    BoundedQuestions questions_;
};

}  // namespace zarnel::linux_fs
