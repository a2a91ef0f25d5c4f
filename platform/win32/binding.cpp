#include "platform/win32/binding.h"

#include <windows.h>

#include "platform/errors.h"

namespace zarnel::win32 {

void* Binding::address() {
    if (address_ != nullptr) return address_;
    HMODULE module = LoadLibraryA(dll_);
    if (module == nullptr) throw BindingError(std::string(dll_) + "!" + function_);
    address_ = reinterpret_cast<void*>(GetProcAddress(module, function_.c_str()));
    if (address_ == nullptr) throw BindingError(std::string(dll_) + "!" + function_);
    return address_;
}

}  // namespace zarnel::win32
