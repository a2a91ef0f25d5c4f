// The effective user's entry in the name service, asked with a deadline (see BoundedQuestions):
// a user kept in a directory (LDAP, NIS) whose server went away holds getpwuid_r for as long as
// the directory's client keeps retrying, which can be minutes.
#pragma once

#include <chrono>
#include <functional>
#include <optional>

#include "platform/bounded_questions.h"
#include "platform/linux/passwd.h"

namespace zarnel::linux_fs {

// The service's answer: the user's entry, or nothing when it has none.
using UserLookup = std::optional<UserEntry>;

class NameService {
  public:
    using Lookup = std::function<UserLookup()>;

    explicit NameService(Lookup lookup = linux_fs::effectiveUser);

    // The service's answer; nothing when none came within `deadline` or an earlier question is
    // still unanswered.
    std::optional<UserLookup> effectiveUser(std::chrono::milliseconds deadline) const;

  private:
    Lookup lookup_;
    BoundedQuestions questions_;
};

}  // namespace zarnel::linux_fs
