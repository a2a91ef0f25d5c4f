#include "platform/detached_thread.h"

#include <windows.h>

#include <memory>
#include <system_error>

namespace zarnel {
namespace {

DWORD WINAPI runWork(void* parameter) {
    const std::unique_ptr<std::function<void()>> work(
        static_cast<std::function<void()>*>(parameter));
    (*work)();
    return 0;
}

}  // namespace

void startDetached(std::function<void()> work) {
    auto owned = std::make_unique<std::function<void()>>(std::move(work));
    HANDLE thread = CreateThread(nullptr, 0, runWork, owned.get(), 0, nullptr);
    if (!thread) {
        throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                                "CreateThread");
    }
    owned.release();  // the thread's now
    CloseHandle(thread);
}

}  // namespace zarnel
