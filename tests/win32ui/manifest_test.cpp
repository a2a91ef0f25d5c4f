// The window's tests and form-dump.exe run as users run zarnel.exe: with its manifest, so what
// they check and picture are the common controls 6 with visual styles, not version 5.
#include <gtest/gtest.h>
#include <windows.h>
// commctrl.h needs windows.h before it.
#include <commctrl.h>

#include <string>

#include "tests/win32ui/test_window.h"

namespace zarnel {
namespace {

using testing::TestWindow;

// The manifest the system reads as `program` starts; empty when it has none.
std::string startManifest(HMODULE program) {
    HRSRC found = FindResourceW(program, CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
    if (!found) return {};
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(program, found)));
    return std::string(bytes, SizeofResource(program, found));
}

std::string startManifest(const char* path) {
    HMODULE program = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!program) return {};
    std::string manifest = startManifest(program);
    FreeLibrary(program);
    return manifest;
}

TEST(Manifest, TheToolsAndTestsCarryTheProgramsOwn) {
    const std::string program = startManifest(ZARNEL_PROGRAM);
    ASSERT_NE(program.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_EQ(startManifest(GetModuleHandleW(nullptr)), program);
    EXPECT_EQ(startManifest(ZARNEL_FORM_DUMP), program);
}

TEST(Manifest, TheWindowIsBuiltFromCommonControlsSix) {
    TestWindow window{"two_petabytes.scenario"};
    SIZE ideal{};
    // Only a version 6 button tells the size its caption needs.
    EXPECT_TRUE(SendMessageW(window.controls.handle(Ctl::Command2), BCM_GETIDEALSIZE, 0,
                             reinterpret_cast<LPARAM>(&ideal)));
}

}  // namespace
}  // namespace zarnel
