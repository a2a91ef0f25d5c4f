#include "ui/win32/screen_reader_names.h"

#include <oleacc.h>

#include <string>
#include <utility>

#include "ui/win32/named_accessible.h"
#include "ui/win32/text.h"
#include "ui/win32/win32_controls.h"
#include "window/field_names.h"
#include "window/graph_descriptions.h"

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

LRESULT CALLBACK namedProcedure(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    Naming& naming = namingOf(field);
    const WNDPROC original = naming.original;
    if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
        const std::string name = fieldName(*naming.controls, *naming.namer);
        if (const LRESULT object = namedClientObject(field, wParam, widen(name))) return object;
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
    for (const FieldNamer& namer : fieldNamers()) {
        HWND field = controls.handle(namer.field);
        auto* naming = new Naming{nullptr, &controls, &namer};
        SetWindowLongPtrW(field, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(naming));
        naming->original = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(namedProcedure)));
    }
    const Controls* source = &controls;
    controls.pictureBox(Ctl::Picture4).describeAs([source] { return pieSummary(*source); });
    controls.pictureBox(Ctl::Picture1).describeAs([source] { return lineGraphSummary(*source); });
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
}

}  // namespace zarnel::win32
