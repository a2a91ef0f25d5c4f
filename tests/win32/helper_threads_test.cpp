// Helper threads for questions that may never be answered, started by the thousand on one
// processor, as a window clicking through network drives starts them.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/bounded_questions.h"

namespace zarnel {
namespace {

// Every question answered, though each helper ends about when it is let go: the MinGW
// runtime's detach of a thread that had already ended freed its record twice, and a helper
// started later then never ran or crashed the window.
TEST(HelperThreads, ThousandsInARowOnOneProcessorEachAnswer) {
    DWORD_PTR process = 0;
    DWORD_PTR system = 0;
    ASSERT_TRUE(GetProcessAffinityMask(GetCurrentProcess(), &process, &system));
    const DWORD_PTR first = process & (~process + 1);  // the lowest processor it may run on
    ASSERT_TRUE(SetProcessAffinityMask(GetCurrentProcess(), first));
    constexpr int kQuestions = 20'000;
    constexpr std::chrono::seconds kPatient{60};
    constexpr int kAnswer = 42;
    BoundedQuestions questions;
    int answered = 0;
    for (int i = 0; i < kQuestions; ++i) {
        answered += questions.ask<int>(
                        "nas", [] { return kAnswer; }, kPatient) == kAnswer;
    }
    SetProcessAffinityMask(GetCurrentProcess(), process);
    EXPECT_EQ(answered, kQuestions);
}

}  // namespace
}  // namespace zarnel
