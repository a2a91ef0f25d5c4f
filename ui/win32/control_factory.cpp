#include "ui/win32/control_factory.h"

#include <commctrl.h>

#include <stdexcept>
#include <string>

#include "ui/win32/text.h"
#include "ui/win32/window_classes.h"

namespace zarnel::win32 {
namespace {

constexpr DWORD kChild = WS_CHILD | WS_CLIPSIBLINGS;

struct WindowKind {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

WindowKind windowKind(const LayoutRow& row) {
    switch (row.kind) {
        case Kind::TabControl:
            return {WC_TABCONTROLW, WS_TABSTOP | TCS_FIXEDWIDTH, 0};
        case Kind::Frame:
            return {L"BUTTON", BS_GROUPBOX | WS_CLIPCHILDREN, 0};
        case Kind::Label:
            // SS_NOTIFY: a label takes its own clicks, so they never count as its container's.
            return {L"STATIC", SS_NOPREFIX | SS_NOTIFY, 0};
        case Kind::TextBox:
            return {L"EDIT",
                    static_cast<DWORD>(WS_TABSTOP | (row.multiLine ? ES_MULTILINE | ES_AUTOVSCROLL
                                                                   : ES_AUTOHSCROLL)),
                    WS_EX_CLIENTEDGE};
        case Kind::ListBox:
            return {L"LISTBOX",
                    WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                        LBS_USETABSTOPS,
                    WS_EX_CLIENTEDGE};
        case Kind::ComboBox:
        case Kind::DriveList:
            return {L"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0};
        case Kind::PictureBox:
            return {kPictureClass, WS_CLIPCHILDREN,
                    static_cast<DWORD>(row.flat ? 0 : WS_EX_CLIENTEDGE)};
        case Kind::CommandButton:
            return {L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0};
        case Kind::Slider:
            return {TRACKBAR_CLASSW, WS_TABSTOP | TBS_HORZ | TBS_NOTICKS, 0};
        case Kind::Window:
        case Kind::MenuItem:
        case Kind::Timer:
            break;
    }
    throw std::logic_error("no window for " + std::string(ctlName(row.name)));
}

}  // namespace

LONG_PTR alignmentStyle(Kind kind, Align align) {
    if (kind == Kind::Label) {
        if (align == Align::Right) return SS_RIGHT;
        return align == Align::Center ? SS_CENTER : SS_LEFT;
    }
    if (kind == Kind::TextBox) {
        if (align == Align::Right) return ES_RIGHT;
        return align == Align::Center ? ES_CENTER : ES_LEFT;
    }
    return 0;
}

LONG_PTR alignmentMask(Kind kind) {
    if (kind == Kind::Label) return SS_TYPEMASK;
    return kind == Kind::TextBox ? ES_LEFT | ES_CENTER | ES_RIGHT : 0;
}

bool takesFocus(Kind kind) {
    switch (kind) {
        case Kind::TabControl:
        case Kind::TextBox:
        case Kind::ListBox:
        case Kind::ComboBox:
        case Kind::DriveList:
        case Kind::CommandButton:
        case Kind::Slider:
            return true;
        default:
            return false;
    }
}

bool isDropDown(Kind kind) {
    return kind == Kind::ComboBox || kind == Kind::DriveList;
}

HWND createControl(const LayoutRow& row, HWND parent, int id) {
    const WindowKind kind = windowKind(row);
    const bool captioned = row.kind == Kind::Frame || row.kind == Kind::Label ||
                           row.kind == Kind::TextBox || row.kind == Kind::CommandButton;
    const std::wstring caption = captioned ? widen(row.caption) : std::wstring();
    HWND control = CreateWindowExW(
        kind.exStyle, kind.className, caption.c_str(),
        kChild | kind.style | static_cast<DWORD>(alignmentStyle(row.kind, row.align)), 0, 0, 0, 0,
        parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
        nullptr);
    if (!control)
        throw std::runtime_error("cannot create " + std::string(ctlName(row.name)) + ", error " +
                                 std::to_string(GetLastError()));
    return control;
}

}  // namespace zarnel::win32
