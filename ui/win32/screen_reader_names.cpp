#include "ui/win32/screen_reader_names.h"

#include <oleacc.h>
#include <windows.h>

#include "ui/win32/named_accessible.h"
#include "ui/win32/text.h"
#include "ui/win32/win32_controls.h"
#include "window/field_names.h"

namespace zarnel::win32 {
namespace {

// Held in the field's user data, which the standard controls leave to their owner; a window
// property would be looked up at every message.
struct Naming {
    WNDPROC original;
    const Win32Controls* controls;
    const FieldNamer* namer;
};

Naming& namingOf(HWND field) {
    return *reinterpret_cast<Naming*>(GetWindowLongPtrW(field, GWLP_USERDATA));
}

// The standard object of the field's client area, wrapped to carry the field's name; zero
// (the system answers alone) when the standard object cannot be had.
LRESULT namedObject(HWND field, const Naming& naming, WPARAM flags) {
    IAccessible* standard = nullptr;
    // __uuidof, not IID_IAccessible: linked through oleacc's import library, that symbol
    // resolves to an import thunk instead of the interface's id.
    if (FAILED(CreateStdAccessibleObject(field, OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&standard)))) {
        return 0;
    }
    auto* named = new NamedAccessible(standard, widen(fieldName(*naming.controls, *naming.namer)));
    standard->Release();
    const LRESULT result = LresultFromObject(__uuidof(IAccessible), flags, named);
    named->Release();
    return FAILED(result) ? 0 : result;
}

LRESULT CALLBACK namedProcedure(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    Naming& naming = namingOf(field);
    const WNDPROC original = naming.original;
    if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
        if (const LRESULT object = namedObject(field, naming, wParam)) return object;
    } else if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        SetWindowLongPtrW(field, GWLP_USERDATA, 0);
        delete &naming;
    }
    return CallWindowProcW(original, field, message, wParam, lParam);
}

}  // namespace

void nameForScreenReaders(const Win32Controls& controls) {
    for (const FieldNamer& namer : fieldNamers()) {
        HWND field = controls.handle(namer.field);
        auto* naming = new Naming{nullptr, &controls, &namer};
        SetWindowLongPtrW(field, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(naming));
        naming->original = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(namedProcedure)));
    }
}

}  // namespace zarnel::win32
