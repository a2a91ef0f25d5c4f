// Reading the instances a management-service query hands out, with a limit on each wait.
#pragma once

#include <wbemidl.h>

#include <chrono>
#include <vector>

#include "platform/platform.h"

namespace zarnel::win32 {

// How long the service may take to hand out one instance. A damaged repository or a provider
// that never returns would otherwise hold the window before it is first shown; a healthy
// service hands these classes out well within it, even at its first start.
inline constexpr std::chrono::milliseconds kWmiAnswerDeadline{5000};

// Every instance `enumerator` hands out, each waited for at most `deadline`. A wait that runs
// out, or an error, fails the query with WmiError.
std::vector<WmiInstance> enumeratedInstances(IEnumWbemClassObject& enumerator,
                                             std::chrono::milliseconds deadline);

}  // namespace zarnel::win32
