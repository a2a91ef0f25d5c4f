// The user's folder settings (user-dirs.dirs), read with a deadline (see BoundedQuestions): the
// file lies in the home folder, and a home on a network share whose server went away holds
// whoever opens a file in it for as long as the server is gone.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "platform/bounded_questions.h"

namespace zarnel::linux_fs {

// The file's text, or nothing when it cannot be read.
using SettingsText = std::optional<std::string>;

class UserDirsFile {
  public:
    // `relative` below `root`, as readFile takes them.
    using Read = std::function<SettingsText(const std::filesystem::path& root,
                                            const std::filesystem::path& relative)>;

    explicit UserDirsFile(Read read = systemRead);

    // `file` (a machine path below `root`) as `read` finds it; nothing when no answer came
    // within `deadline` or an earlier read of it is still unanswered.
    std::optional<SettingsText> operator()(const std::filesystem::path& root,
                                           const std::filesystem::path& file,
                                           std::chrono::milliseconds deadline) const;

  private:
    static SettingsText systemRead(const std::filesystem::path& root,
                                   const std::filesystem::path& relative);

    Read read_;
    BoundedQuestions questions_;
};

}  // namespace zarnel::linux_fs
