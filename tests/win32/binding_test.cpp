// Functions bound by name: a missing one fails at its call with BindingError, and the window's
// logic shows its failure text for it.
#include "platform/win32/binding.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "platform/errors.h"
#include "platform/win32/win32_platform.h"
#include "probes/identity.h"
#include "tests/support/recording_controls.h"

namespace zarnel {
namespace {

constexpr std::string_view kTrapped = "取得不能";
constexpr std::uint32_t kDnsBuffer = 128;

Win32Platform withoutComputerNameEx() {
    return Win32Platform(
        win32::ExportNames{{"GetComputerNameExW", "GetComputerNameExNotExported"}});
}

TEST(Win32Binding, MissingExportThrowsBindingErrorAtTheCall) {
    Win32Platform platform = withoutComputerNameEx();
    std::string buffer(kDnsBuffer, '\0');
    std::uint32_t len = kDnsBuffer;
    EXPECT_THROW(platform.getComputerNameEx(ComputerNameFormat::DnsHostname, buffer, len),
                 BindingError);
    // The other functions were not touched by the missing one.
    std::uint32_t nameLen = kDnsBuffer;
    EXPECT_NE(platform.getComputerName(buffer, nameLen), 0);
}

TEST(Win32Binding, DnsProbesShowTheTrapTextForAMissingExport) {
    Win32Platform platform = withoutComputerNameEx();
    testing::RecordingControls controls;
    DNShoustomei(controls, platform);
    DOMEINmei(controls, platform);
    EXPECT_EQ(controls.text(Ctl::Text13), kTrapped);
    EXPECT_EQ(controls.text(Ctl::Text14), kTrapped);
}

TEST(Win32Binding, MissingLibraryThrowsBindingErrorNamingIt) {
    win32::LazyFunction<decltype(&GetTickCount)> absent("zarnel-no-such-library.dll",
                                                        "GetTickCount", {});
    try {
        absent();
        FAIL() << "a function of a missing library was called";
    } catch (const BindingError& error) {
        EXPECT_NE(std::string(error.what()).find("zarnel-no-such-library.dll"), std::string::npos);
    }
}

// A DLL beside the program is never bound in place of the system's: a copy of a system DLL
// under a name the system folder lacks is there to be found, and must not be.
TEST(Win32Binding, LibrariesComeFromTheSystemFolderNotTheProgramsOwn) {
    std::string system(MAX_PATH, '\0');
    system.resize(GetSystemDirectoryA(system.data(), MAX_PATH));
    std::string program(MAX_PATH, '\0');
    program.resize(GetModuleFileNameA(nullptr, program.data(), MAX_PATH));
    const std::string planted =
        program.substr(0, program.find_last_of('\\') + 1) + "zarnel-planted-version.dll";
    ASSERT_TRUE(CopyFileA((system + "\\version.dll").c_str(), planted.c_str(), FALSE));
    // The copy can be loaded by its path: it is a working DLL.
    HMODULE byPath = LoadLibraryA(planted.c_str());
    ASSERT_NE(byPath, nullptr);
    FreeLibrary(byPath);

    win32::LazyFunction<decltype(&GetFileVersionInfoSizeA)> beside("zarnel-planted-version.dll",
                                                                   "GetFileVersionInfoSizeA", {});
    EXPECT_THROW(beside.pointer(), BindingError);
    DeleteFileA(planted.c_str());
}

TEST(Win32Binding, PresentExportIsCalledThroughItsBinding) {
    win32::LazyFunction<decltype(&GetCurrentProcessId)> processId("kernel32.dll",
                                                                  "GetCurrentProcessId", {});
    EXPECT_EQ(processId(), GetCurrentProcessId());
    EXPECT_EQ(processId(), GetCurrentProcessId()) << "the cached address answers again";
}

}  // namespace
}  // namespace zarnel
