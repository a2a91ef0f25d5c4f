// COM on the window's thread for as long as the window lives: a screen reader reaches the
// fields' accessible objects through COM's marshalling, which answers only on a thread that
// has entered an apartment.
#pragma once

#include <objbase.h>

namespace zarnel::win32 {

class ComApartment {
  public:
    // A window's thread is a single-threaded apartment; one already in the other model stays
    // there, which serves as well.
    ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComApartment() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    HRESULT result_;
};

}  // namespace zarnel::win32
