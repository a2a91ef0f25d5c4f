#include "platform/win32/wmi_service.h"

#include <exception>
#include <utility>
#include <variant>

#include "platform/errors.h"

namespace zarnel::win32 {
namespace {

const std::string kService = "management service";

// The instances, or why there are none: an exception cannot leave the helper thread.
using Answer = std::variant<std::vector<WmiInstance>, std::string>;

}  // namespace

WmiService::WmiService(Query query, std::chrono::milliseconds deadline,
                       std::optional<AnswerKeeping> keeping)
    : query_(std::move(query)), deadline_(deadline), questions_(std::move(keeping)) {}

std::vector<WmiInstance> WmiService::instances(const std::string& className) const {
    const auto answer = questions_.ask<Answer>(
        kService,
        [query = query_, className]() -> Answer {
            try {
                return query(className);
            } catch (const std::exception& failure) {
                return std::string(failure.what());
            }
        },
        deadline_, className);
    if (!answer) throw WmiError("the management service gave no answer in time");
    if (const auto* failure = std::get_if<std::string>(&*answer)) throw WmiError(*failure);
    return std::get<std::vector<WmiInstance>>(*answer);
}

}  // namespace zarnel::win32
