#include "ui/win32/screen_reader_names.h"

#include <oleacc.h>

#include "ui/win32/label.h"
#include "ui/win32/named_accessible.h"
#include "ui/win32/win32_controls.h"
#include "window/field_names.h"
#include "window/graph_descriptions.h"

namespace zarnel::win32 {
namespace {

// Held in the field's user data, which the standard controls leave to their owner; a window
// property would be looked up at every message.
struct Naming {
    WNDPROC original;
    ReaderAnswer answer;
};

Naming& namingOf(HWND field) {
    return *reinterpret_cast<Naming*>(GetWindowLongPtrW(field, GWLP_USERDATA));
}

LRESULT CALLBACK namedProcedure(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    Naming& naming = namingOf(field);
    const WNDPROC original = naming.original;
    if (message == WM_GETOBJECT) {
        if (const LRESULT object = naming.answer(field, wParam, lParam)) return object;
    } else if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        SetWindowLongPtrW(field, GWLP_USERDATA, 0);
        delete &naming;
    }
    return CallWindowProcW(original, field, message, wParam, lParam);
}

}  // namespace

void ScreenReaderNames::install(const Win32Controls& controls) {
    controls_ = &controls;
    const Controls* source = &controls;
    for (const FieldNamer& namer : fieldNamers()) {
        HWND field = controls.handle(namer.field);
        auto* naming = new Naming{
            nullptr, ReaderAnswer::naming([source, &namer] { return fieldName(*source, namer); })};
        SetWindowLongPtrW(field, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(naming));
        naming->original = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(namedProcedure)));
    }
    controls.pictureBox(Ctl::Picture4)
        .answerReaders(
            ReaderAnswer::naming([source] { return pieSummary(*source); }, ROLE_SYSTEM_CHART));
    controls.pictureBox(Ctl::Picture1)
        .answerReaders(ReaderAnswer::naming([source] { return lineGraphSummary(*source); },
                                            ROLE_SYSTEM_CHART));
    // Each axis is one object, its first label, which reads out the range its labels cover;
    // the copies the graph loads of it, and the grid lines, are drawn only.
    answerReaders(controls.handle(Ctl::lblX),
                  ReaderAnswer::naming([source] { return timeAxisSummary(*source); }));
    answerReaders(controls.handle(Ctl::lblY),
                  ReaderAnswer::naming([source] { return memoryAxisSummary(*source); }));
    for (const Ctl gridLines : {Ctl::Picture2, Ctl::Picture3})
        controls.pictureBox(gridLines).answerReaders(ReaderAnswer::drawnOnly());
}

void ScreenReaderNames::figuresMayHaveChanged(ULONGLONG now) {
    // Only while something listens: the summaries read every label of the time axis. The axes'
    // labels keep their captions themselves, so the system tells no one of a rename either.
    if (!controls_ || !IsWinEventHookInstalled(EVENT_OBJECT_NAMECHANGE)) return;
    const Win32Controls& controls = *controls_;
    const auto onScreen = [&controls](Ctl figure) {
        return IsWindowVisible(controls.handle(figure)) && !IsIconic(controls.window());
    };
    for (const Ctl figure : news_.news(controls, static_cast<std::int64_t>(now), onScreen)) {
        NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, controls.handle(figure), OBJID_CLIENT,
                       CHILDID_SELF);
    }
}

}  // namespace zarnel::win32
