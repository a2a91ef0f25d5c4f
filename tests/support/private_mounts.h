// A test's own mounts, made where neither the test's process nor the machine sees them.
#pragma once

#include <functional>
#include <optional>

namespace zarnel::testing {

// What a body returns when this machine cannot do what it needs (no loop devices, no mkfs): the
// test then skips, as it does without a mount namespace.
inline constexpr int kCannotHere = 77;

enum class Namespaces { RootOnly, OrUnprivileged };

// Runs `body` in a child process in a mount namespace of its own, its mounts private, and gives
// its exit status (128 + the signal if one ended it); nothing when no such namespace may be made
// here (without root, or with `RootOnly` an unprivileged user namespace is not tried) or the
// body returned kCannotHere.
std::optional<int> inPrivateMounts(const std::function<int()>& body, Namespaces allowed);

}  // namespace zarnel::testing
