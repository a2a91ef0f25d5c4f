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

    explicit FolderCheck(IsFolder isFolder = systemIsFolder);

    // Whether `folder` is one, else whether `make` made it; nothing when no answer came within
    // `deadline` or an earlier question about `folder` is still unanswered.
    std::optional<bool> operator()(const std::filesystem::path& folder, std::function<bool()> make,
                                   std::chrono::milliseconds deadline) const;

  private:
    static bool systemIsFolder(const std::filesystem::path& folder);

    IsFolder isFolder_;
    BoundedQuestions questions_;
};

}  // namespace zarnel::linux_fs
