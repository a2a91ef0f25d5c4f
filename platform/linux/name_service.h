// The effective user's entry in the name service, asked with a deadline (see BoundedQuestions):
// a user kept in a directory (LDAP, NIS) whose server went away holds getpwuid_r for as long as
// the directory's client keeps retrying, which can be minutes.
#pragma once

#include <optional>
#include <string>

#include "platform/bounded_questions.h"
#include "platform/linux/passwd.h"

namespace zarnel::linux_fs {

// The service's answer: the user's entry, or nothing when it has none.
using UserLookup = std::optional<UserEntry>;

using NameService = BoundedCall<UserLookup>;

// The one subject asked about: the process has one effective user.
inline const std::string kEffectiveUser = "effective user";

// The effective user's lookup; nothing when the service gave no answer in time.
inline std::optional<UserLookup> askEffectiveUser(const NameService& names) {
    return names(kEffectiveUser, kNetworkAnswerDeadline);
}

// The effective user's entry; nothing when there is none or the service did not answer in time.
inline UserLookup effectiveUserEntry(const NameService& names) {
    return askEffectiveUser(names).value_or(std::nullopt);
}

}  // namespace zarnel::linux_fs
