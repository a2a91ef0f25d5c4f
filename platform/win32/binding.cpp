#include "platform/win32/binding.h"

#include <windows.h>

#include "platform/errors.h"

namespace zarnel::win32 {

void* Binding::address() {
    if (address_ != nullptr) return address_;
    // From the system folder only: a bare name also searches the program's own folder first,
    // where a DLL of that name planted beside the program (in a downloads folder, say) would
    // run in its place. kernel32 and user32 are always the system's; shfolder is not.
    HMODULE module = LoadLibraryExA(dll_, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module == nullptr) throw BindingError(std::string(dll_) + "!" + function_);
    address_ = reinterpret_cast<void*>(GetProcAddress(module, function_.c_str()));
    if (address_ == nullptr) throw BindingError(std::string(dll_) + "!" + function_);
    return address_;
}

}  // namespace zarnel::win32
