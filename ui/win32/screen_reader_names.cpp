#include "ui/win32/screen_reader_names.h"

#include <oleacc.h>

#include <string>
#include <utility>

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
    // Looked at once a second, and only while something listens: the summaries read every
    // label of the time axis.
    if (!controls_ || now - lastLooked_ < kSummaryPeriodMs) return;
    lastLooked_ = now;
    if (!IsWinEventHookInstalled(EVENT_OBJECT_NAMECHANGE)) return;
    const auto tell = [this](Ctl figure, std::string summary, std::string& last) {
        if (summary == last) return;
        last = std::move(summary);
        NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, controls_->handle(figure), OBJID_CLIENT,
                       CHILDID_SELF);
    };
    tell(Ctl::Picture4, pieSummary(*controls_), toldPie_);
    tell(Ctl::Picture1, lineGraphSummary(*controls_), toldGraph_);
    // The axes' labels keep their captions themselves, so the system tells no one of a rename.
    tell(Ctl::lblX, timeAxisSummary(*controls_), toldTimeAxis_);
    tell(Ctl::lblY, memoryAxisSummary(*controls_), toldMemoryAxis_);
}

}  // namespace zarnel::win32
