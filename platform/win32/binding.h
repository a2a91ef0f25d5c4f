// Functions of system DLLs bound by name at their first call, so that a system lacking one
// (GetComputerNameExA, shfolder.dll) fails at that call with BindingError, never at start-up.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace zarnel::win32 {

// Export names that differ from the real ones: a test builds a provider that asks for a
// function the system does not have.
using ExportNames = std::map<std::string, std::string, std::less<>>;

// One export of one DLL; the DLL is loaded and the address looked up once, on first use.
class Binding {
  public:
    Binding(const char* dll, std::string function) : dll_(dll), function_(std::move(function)) {}

    // The export's address; throws BindingError when the DLL or the export is missing.
    void* address();
    const std::string& function() const { return function_; }

  private:
    const char* dll_;
    std::string function_;
    void* address_ = nullptr;
};

// A bound function with its declared type, e.g. LazyFunction<decltype(&GetDriveTypeA)>.
template <typename Pointer>
class LazyFunction {
  public:
    LazyFunction(const char* dll, std::string_view function, const ExportNames& renamed)
        : binding_(dll, exportName(function, renamed)) {}

    // The typed address, bound now: a missing export throws here, on the asking thread.
    Pointer pointer() {
        // GetProcAddress's FARPROC cannot be cast to a typed pointer directly under
        // -Wcast-function-type; an object pointer in between is the documented way.
        return reinterpret_cast<Pointer>(binding_.address());
    }

    template <typename... Args>
    auto operator()(Args&&... args) {
        return pointer()(std::forward<Args>(args)...);
    }

  private:
    static std::string exportName(std::string_view function, const ExportNames& renamed) {
        const auto found = renamed.find(function);
        return found == renamed.end() ? std::string(function) : found->second;
    }

    Binding binding_;
};

}  // namespace zarnel::win32
