// A screen reader names each field of the native window after the label in front of it, as
// the Qt window names it. Windows takes the name of a text box, list or slider from the static
// control right above it in the stacking order ("Providing the Name Property" in the system's
// accessibility documentation); wine's accessibility does not answer in every prefix, so the
// order itself is what is checked.
#include "window/accessible_names.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <set>

#include "tests/win32ui/test_window.h"

namespace zarnel {
namespace {

using testing::TestWindow;

TEST(AccessibleNames, EachLabelledFieldLiesRightUnderItsOwnLabel) {
    TestWindow window{"two_petabytes.scenario"};
    const win32::Win32Controls& controls = window.controls;
    std::set<Ctl> labelsUsed;
    int checked = 0;
    for (const NamedBy& entry : kAccessibleNames) {
        if (layoutRow(entry.namer).kind != Kind::Label || !labelsUsed.insert(entry.namer).second) {
            continue;
        }
        EXPECT_EQ(GetWindow(controls.handle(entry.control), GW_HWNDPREV),
                  controls.handle(entry.namer))
            << ctlName(entry.control) << " is not under " << ctlName(entry.namer);
        ++checked;
    }
    EXPECT_GT(checked, 20);  // the memory, PC and disk fields with a label of their own
}

}  // namespace
}  // namespace zarnel
