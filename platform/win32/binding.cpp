#include "platform/win32/binding.h"

#include <windows.h>

#include <string>

#include "platform/errors.h"

namespace zarnel::win32 {

namespace {

// A system DLL from the system folder only: a bare name also searches the program's own folder
// first, where a DLL of that name planted beside the program (in a downloads folder, say)
// would run in its place. kernel32 and user32 are always the system's; shfolder is not.
HMODULE loadSystemLibrary(const char* dll) {
    HMODULE module = LoadLibraryExA(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Windows 7 without its 2011 loader update does not know the flag: name the folder.
    if (module != nullptr || GetLastError() != ERROR_INVALID_PARAMETER) return module;
    std::string path(MAX_PATH, '\0');
    const UINT length = GetSystemDirectoryA(path.data(), MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    path.resize(length);
    path += '\\';
    path += dll;
    return LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace

void* Binding::address() {
    if (address_ != nullptr) return address_;
    HMODULE module = loadSystemLibrary(dll_);
    if (module == nullptr) throw BindingError(std::string(dll_) + "!" + function_);
    address_ = reinterpret_cast<void*>(GetProcAddress(module, function_.c_str()));
    if (address_ == nullptr) throw BindingError(std::string(dll_) + "!" + function_);
    return address_;
}

}  // namespace zarnel::win32
