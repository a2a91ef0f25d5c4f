// The user's folder settings (user-dirs.dirs), read with a deadline (see BoundedQuestions): the
// file lies in the home folder, and a home on a network share whose server went away holds
// whoever opens a file in it for as long as the server is gone.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "platform/bounded_questions.h"
#include "platform/linux/read_file.h"

namespace zarnel::linux_fs {

// The file's text, or the errno of why there is none.
using SettingsText = FileText;

// Reads a file given as a root and a path below it, as readFile takes them.
using UserDirsFile = BoundedCall<SettingsText, std::filesystem::path, std::filesystem::path>;

// The read the window makes: a settings manager may keep the file as a link into its store.
SettingsText readSettings(const std::filesystem::path& root, const std::filesystem::path& relative);

}  // namespace zarnel::linux_fs
