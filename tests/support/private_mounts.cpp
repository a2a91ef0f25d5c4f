#include "tests/support/private_mounts.h"

#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zarnel::testing {
namespace {

constexpr int kSignalled = 128;

bool ownNamespace(Namespaces allowed) {
    if (::unshare(CLONE_NEWNS) != 0 &&
        (allowed == Namespaces::RootOnly || ::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)) {
        return false;
    }
    // Private, so that nothing mounted on the host meanwhile shows here, nor the other way.
    return ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

}  // namespace

std::optional<int> inPrivateMounts(const std::function<int()>& body, Namespaces allowed) {
    const pid_t child = ::fork();
    if (child < 0) return kSignalled;  // no child: a failure, not a skip
    if (child == 0) ::_exit(ownNamespace(allowed) ? body() : kCannotHere);
    int status = 0;
    if (::waitpid(child, &status, 0) != child) return kSignalled;
    if (WIFSIGNALED(status)) return kSignalled + WTERMSIG(status);
    if (WEXITSTATUS(status) == kCannotHere) return std::nullopt;
    return WEXITSTATUS(status);
}

}  // namespace zarnel::testing
