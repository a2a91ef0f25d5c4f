#include "platform/linux/name_service.h"

#include <utility>

namespace zarnel::linux_fs {

namespace {

// One subject: the process has one effective user.
const std::string kEffectiveUser = "effective user";

}  // namespace

NameService::NameService(Lookup lookup) : lookup_(std::move(lookup)) {}

std::optional<UserLookup> NameService::effectiveUser(std::chrono::milliseconds deadline) const {
    return questions_.ask<UserLookup>(kEffectiveUser, lookup_, deadline);
}

}  // namespace zarnel::linux_fs
