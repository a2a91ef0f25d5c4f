#include "ui/win32/label.h"

#include <algorithm>
#include <cwchar>
#include <utility>

namespace zarnel::win32 {
namespace {

struct Caption {
    std::wstring text;
    bool repaintDue = false;
    ReaderAnswer reader;
};

// Held in the label's user data. The common controls' SetWindowSubclass would find its data
// through a window property, one more round trip per message under wine.
Caption& captionOf(HWND label) {
    return *reinterpret_cast<Caption*>(GetWindowLongPtrW(label, GWLP_USERDATA));
}

// Every label is a static control, so all share the class's procedure.
WNDPROC staticProcedure = nullptr;

// The formatting a static control gives its text, by its style.
UINT textFormat(LONG_PTR style) {
    UINT format = DT_EXPANDTABS | DT_WORDBREAK;
    switch (style & SS_TYPEMASK) {
        case SS_CENTER:
            format |= DT_CENTER;
            break;
        case SS_RIGHT:
            format |= DT_RIGHT;
            break;
        default:
            format |= DT_LEFT;
            break;
    }
    if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
    return format;
}

void paint(HWND label, HDC dc, const std::wstring& text) {
    RECT client{};
    GetClientRect(label, &client);
    const int saved = SaveDC(dc);
    // The static class draws on its parent's DC: keep the text inside the label.
    IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
    HWND parent = GetParent(label);
    const auto labelParam = reinterpret_cast<LPARAM>(label);
    const auto dcParam = reinterpret_cast<WPARAM>(dc);
    auto brush =
        reinterpret_cast<HBRUSH>(SendMessageW(parent, WM_CTLCOLORSTATIC, dcParam, labelParam));
    if (!brush)
        brush = reinterpret_cast<HBRUSH>(
            DefWindowProcW(parent, WM_CTLCOLORSTATIC, dcParam, labelParam));
    FillRect(dc, &client, brush);
    if (!IsWindowEnabled(label)) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    if (auto font = reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)))
        SelectObject(dc, font);
    if (!text.empty())
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &client,
                  textFormat(GetWindowLongPtrW(label, GWL_STYLE)));
    RestoreDC(dc, saved);
}

LRESULT CALLBACK captionProcedure(HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* held = &captionOf(label);
    switch (message) {
        case WM_SETTEXT:
            held->text = lParam ? reinterpret_cast<const wchar_t*>(lParam) : L"";
            held->repaintDue = true;
            InvalidateRect(label, nullptr, TRUE);
            return TRUE;
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(held->text.size());
        case WM_GETTEXT: {
            if (wParam == 0) return 0;
            const std::size_t copied =
                std::min(held->text.size(), static_cast<std::size_t>(wParam) - 1);
            auto* buffer = reinterpret_cast<wchar_t*>(lParam);
            std::wmemcpy(buffer, held->text.data(), copied);
            buffer[copied] = L'\0';
            return static_cast<LRESULT>(copied);
        }
        case WM_PAINT: {
            PAINTSTRUCT ps{};
            HDC dc = BeginPaint(label, &ps);
            paint(label, dc, held->text);
            EndPaint(label, &ps);
            held->repaintDue = false;
            return 0;
        }
        case WM_PRINTCLIENT:
            paint(label, reinterpret_cast<HDC>(wParam), held->text);
            return 0;
        case WM_GETOBJECT:
            if (const LRESULT object = held->reader(label, wParam, lParam)) return object;
            break;
        case WM_ENABLE:
        case WM_SYSCOLORCHANGE:
            // The static class would paint its own, stale, copy of the text at once.
            InvalidateRect(label, nullptr, TRUE);
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrW(label, GWLP_USERDATA, 0);
            delete held;
            break;
        default:
            break;
    }
    return CallWindowProcW(staticProcedure, label, message, wParam, lParam);
}

}  // namespace

void keepCaption(HWND label) {
    auto* held = new Caption;
    held->text.resize(static_cast<std::size_t>(GetWindowTextLengthW(label)) + 1);
    held->text.resize(static_cast<std::size_t>(
        GetWindowTextW(label, held->text.data(), static_cast<int>(held->text.size()))));
    SetWindowLongPtrW(label, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(held));
    const auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(label, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(captionProcedure)));
    if (!staticProcedure) staticProcedure = previous;
}

const std::wstring& caption(HWND label) {
    return captionOf(label).text;
}

bool setCaption(HWND label, std::wstring_view text) {
    Caption& held = captionOf(label);
    if (held.text == text) return false;
    held.text = text;
    return true;
}

bool repaintDue(HWND label) {
    return captionOf(label).repaintDue;
}

void markRepaintDue(HWND label) {
    captionOf(label).repaintDue = true;
}

void answerReaders(HWND label, ReaderAnswer answer) {
    captionOf(label).reader = std::move(answer);
}

bool answersReaders(HWND label) {
    return captionOf(label).reader.isSet();
}

}  // namespace zarnel::win32
