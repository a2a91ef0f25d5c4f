// An empty drive fails its questions with an error code: the provider keeps the system from
// answering them with its own "no disk" box, whatever error mode the process started with.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/win32_platform.h"

namespace zarnel {
namespace {

TEST(Win32ErrorMode, ProviderFailsCriticalErrorsItselfAndKeepsTheProcessesOtherModes) {
    const UINT before = GetErrorMode();
    for (const UINT started : {0U, static_cast<UINT>(SEM_NOGPFAULTERRORBOX)}) {
        SetErrorMode(started);
        const Win32Platform platform;
        const UINT now = GetErrorMode();
        EXPECT_NE(now & SEM_FAILCRITICALERRORS, 0U) << "started with " << started;
        EXPECT_EQ(now & started, started) << "started with " << started;
    }
    SetErrorMode(before);
}

}  // namespace
}  // namespace zarnel
