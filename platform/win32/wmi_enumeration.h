// Reading the instances a management-service query hands out, with a limit on each wait.
#pragma once

#include <wbemidl.h>

#include <chrono>
#include <vector>

#include "platform/platform.h"

namespace zarnel::win32 {

// How long the service may keep the thread waiting for instances that do not come, in waits
// of so long. A service still starting (a machine just booted) may take longer than the window
// waits for it: its answer is then shown when it comes. A damaged repository or a provider that
// never returns fails the query after the last wait, so the thread asking ends.
inline constexpr std::chrono::milliseconds kWmiAnswerWait{5000};
inline constexpr int kWmiAnswerWaits = 24;  // two minutes, as long as a connection may take

// Every instance `enumerator` hands out, each asked for with a wait of `wait`. The last of
// `waits` waits that run out in all, or an error, fails the query with WmiError.
std::vector<WmiInstance> enumeratedInstances(IEnumWbemClassObject& enumerator,
                                             std::chrono::milliseconds wait, int waits);

}  // namespace zarnel::win32
