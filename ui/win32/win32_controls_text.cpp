// The controls' texts and list entries, and the fit of a text to its control.
#include "ui/win32/win32_controls.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "ui/win32/control_factory.h"
#include "ui/win32/label.h"
#include "ui/win32/text.h"

namespace zarnel::win32 {
namespace {

constexpr double kSmallestPoints = 4.0;
constexpr double kPointStep = 0.5;

std::wstring windowText(HWND control) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The user has changed a text box's text since the program last set it. Asking the box costs no
// round trip, unlike reading its text back.
bool typedInto(HWND textBox) {
    return SendMessageW(textBox, EM_GETMODIFY, 0, 0) != 0;
}

// The text of entry `index` of a list box or drop-down.
std::wstring entryText(HWND list, bool dropDown, int index) {
    const UINT lengthMessage = dropDown ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
    const UINT textMessage = dropDown ? CB_GETLBTEXT : LB_GETTEXT;
    const auto length = SendMessageW(list, lengthMessage, static_cast<WPARAM>(index), 0);
    if (length < 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const auto copied = SendMessageW(list, textMessage, static_cast<WPARAM>(index),
                                     reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(std::max<LRESULT>(copied, 0)));
    return text;
}

// Qt lays tabs out every 80 pixels at 96 dpi (QTextOption's default tab distance): the value
// column stands on that grid, as in the Qt window's lists.
constexpr int kQtTabDistance = 80;
// A list box draws each line a pixel in from its left edge, where its tab stops start.
constexpr int kLineInset = 1;
// Tab stops are given in dialog units: quarters of the list's average character width.
constexpr int kQuartersPerCharacter = 4;
constexpr std::wstring_view kAlphabet = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr int kLettersPerCase = 26;

// The average character width of the font selected in `dc`, as a list box reckons its dialog
// units by it: the width of the 52 letters over 26, halved and rounded (Microsoft KB 125681).
int averageCharacterWidth(HDC dc) {
    SIZE extent{};
    GetTextExtentPoint32W(dc, kAlphabet.data(), static_cast<int>(kAlphabet.size()), &extent);
    // Never zero, even from a failed measure: dialog units are divided by it.
    return std::max<int>(1, (extent.cx / kLettersPerCase + 1) / 2);
}

// Dialog units for a tab stop at `pixels` or just past: rounded up, so that the list's own
// rounding back to pixels stays past the captions.
int dialogUnitsFrom(int pixels, int averageWidth) {
    return (pixels * kQuartersPerCharacter + averageWidth - 1) / averageWidth;
}

// The first line of a grid `step` pixels apart that lies right of `x`.
int nextGridLine(int x, int step) {
    return (x / step + 1) * step;
}

std::vector<std::wstring> listLines(HWND list) {
    const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    std::vector<std::wstring> lines;
    for (int i = 0; i < count; ++i) lines.push_back(entryText(list, false, i));
    return lines;
}

// The widest text before a line's first tab; a line without a tab has no caption.
int widestCaption(HDC dc, const std::vector<std::wstring>& lines) {
    int widest = 0;
    for (const std::wstring& line : lines) {
        const auto tab = line.find(L'\t');
        if (tab == std::wstring::npos) continue;
        SIZE extent{};
        GetTextExtentPoint32W(dc, line.c_str(), static_cast<int>(tab), &extent);
        widest = std::max<int>(widest, extent.cx);
    }
    return widest;
}

// The widest line with its value at `stop`, from the list's left edge to the line's end.
int widestLine(HDC dc, const std::vector<std::wstring>& lines, int stop) {
    // Measured from the line's start, which lies kLineInset past the stops' origin.
    int stopFromStart = stop - kLineInset;
    int widest = 0;
    for (const std::wstring& line : lines) {
        const DWORD extent = GetTabbedTextExtentW(dc, line.c_str(), static_cast<int>(line.size()),
                                                  1, &stopFromStart);
        widest = std::max<int>(widest, LOWORD(extent));
    }
    return kLineInset + widest;
}

}  // namespace

// A list box's own tab stops fall every 32 dialog units, which put a caption wider than that a
// column further right than the others; and a line wider than the list was cut at its edge.
void Win32Controls::alignColumns(const Element& list) {
    HDC dc = measuring_;
    HGDIOBJ previous = SelectObject(dc, fonts_.font(list.font));
    const std::vector<std::wstring> lines = listLines(list.hwnd);
    const int grid = MulDiv(kQtTabDistance, scale_.dpi(), kBaseDpi);
    const int averageWidth = averageCharacterWidth(dc);
    int dialogUnits =
        dialogUnitsFrom(nextGridLine(kLineInset + widestCaption(dc, lines), grid), averageWidth);
    const int stop = MulDiv(dialogUnits, averageWidth, kQuartersPerCharacter);
    const int extent = widestLine(dc, lines, stop) + kLineInset;
    SelectObject(dc, previous);
    SendMessageW(list.hwnd, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&dialogUnits));
    SendMessageW(list.hwnd, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(extent), 0);
}

void Win32Controls::fit(Element& target) {
    // Only a label fits itself to its caption; other controls keep their size.
    if (target.row->kind != Kind::Label) return;
    const std::wstring& text = caption(target.hwnd);
    HDC dc = measuring_;
    HGDIOBJ previous = SelectObject(dc, fonts_.font(target.font));
    RECT extent{};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &extent, DT_CALCRECT | DT_NOPREFIX);
    SelectObject(dc, previous);
    const RECT& now = target.placed;
    moveTo(target, {now.left, now.top, now.left + extent.right, now.top + extent.bottom});
    target.geometry.width = scale_.toTwips(extent.right);
    target.geometry.height = scale_.toTwips(extent.bottom);
}

void Win32Controls::refit(Element& target, const std::wstring& text) {
    if (target.autoSize) {
        fit(target);
    } else if (target.row->kind == Kind::Label ||
               (target.row->kind == Kind::TextBox && !target.row->multiLine)) {
        fitFontToWidth(target, text);
    }
}

// A long figure in a fixed-size field is shown in a smaller size rather than cut: a 25 GB
// machine's "25280" in a five-digit-wide axis label would otherwise read as "5280".
void Win32Controls::fitFontToWidth(Element& target, const std::wstring& text) {
    RECT room{};
    // A text box draws inside its formatting rectangle: its margins, and a client edge's inset.
    if (target.row->kind == Kind::TextBox) {
        SendMessageW(target.hwnd, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
    } else {
        GetClientRect(target.hwnd, &room);
    }
    const int width = room.right - room.left;
    double points = Fonts::points(target.font);
    HFONT font = fonts_.font(target.font);
    HDC dc = measuring_;
    HGDIOBJ previous = SelectObject(dc, font);
    SIZE extent{};
    while (GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent) &&
           extent.cx > width && points - kPointStep >= kSmallestPoints) {
        points -= kPointStep;
        font = fonts_.sized(target.font, points);
        SelectObject(dc, font);
    }
    SelectObject(dc, previous);
    useFont(target, font);
}

void Win32Controls::useFont(Element& target, HFONT font) {
    HFONT shrunk = font == fonts_.font(target.font) ? nullptr : font;
    if (shrunk == target.shrunk) return;
    target.shrunk = shrunk;
    SendMessageW(target.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void Win32Controls::repaintLabel(Ctl ctl, int index) {
    HWND label = elements_.at(ctl, index).hwnd;
    if (repaintDue(label) || !IsWindowVisible(label)) return;
    // The elements of a label array are renamed together: one request repaints all of them
    // that share this label's container, and each is left alone until it has painted.
    HWND container = GetParent(label);
    RECT area{};
    for (const int each : elements_.indices(ctl)) {
        const Element& other = elements_.at(ctl, each);
        if (GetParent(other.hwnd) != container || !IsWindowVisible(other.hwnd)) continue;
        UnionRect(&area, &area, &other.placed);
        markRepaintDue(other.hwnd);
    }
    RedrawWindow(container, &area, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

std::string Win32Controls::text(Ctl ctl, int index) const {
    if (const MenuItem* item = menuItem(ctl)) return narrow(item->caption);
    const Element& target = elements_.at(ctl, index);
    switch (target.row->kind) {
        case Kind::ComboBox:
        case Kind::DriveList: {
            const auto selected = SendMessageW(target.hwnd, CB_GETCURSEL, 0, 0);
            return selected < 0 ? std::string()
                                : narrow(entryText(target.hwnd, true, static_cast<int>(selected)));
        }
        case Kind::ListBox: {
            const auto selected = SendMessageW(target.hwnd, LB_GETCURSEL, 0, 0);
            return selected < 0 ? std::string()
                                : narrow(entryText(target.hwnd, false, static_cast<int>(selected)));
        }
        case Kind::TabControl:
            return std::string(tabCaptions()[static_cast<std::size_t>(selectedTab())]);
        case Kind::PictureBox:
        case Kind::Slider:
            return {};
        case Kind::TextBox:
            return narrow(typedInto(target.hwnd) ? windowText(target.hwnd) : target.text);
        default:
            return narrow(windowText(target.hwnd));
    }
}

void Win32Controls::setText(Ctl ctl, std::string_view value, int index) {
    if (menuItem(ctl)) {
        const auto it = std::find_if(menuItems_.begin(), menuItems_.end(),
                                     [ctl](const MenuItem& item) { return item.ctl == ctl; });
        it->caption = widen(value);
        rebuildMenu();
        return;
    }
    Element& target = elements_.at(ctl, index);
    const std::wstring text = widen(value);
    switch (target.row->kind) {
        case Kind::ComboBox:
        case Kind::DriveList: {
            const auto found =
                SendMessageW(target.hwnd, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                             reinterpret_cast<LPARAM>(text.c_str()));
            SendMessageW(target.hwnd, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
            chosenByProgram(ctl, target.hwnd, static_cast<int>(found));
            return;
        }
        case Kind::Window:
        case Kind::Frame:
        case Kind::CommandButton:
        case Kind::Label:
        case Kind::TextBox:
            // The memory tab rewrites its fields at every tick; an unchanged text costs nothing.
            if (target.row->kind == Kind::Label) {
                if (!setCaption(target.hwnd, text)) return;
                repaintLabel(ctl, index);
            } else if (target.row->kind == Kind::TextBox) {
                if (text == target.text && !typedInto(target.hwnd)) return;
                SetWindowTextW(target.hwnd, text.c_str());
                target.text = text;
            } else {
                if (windowText(target.hwnd) == text) return;
                SetWindowTextW(target.hwnd, text.c_str());
            }
            refit(target, text);
            return;
        default:
            throw std::logic_error(std::string(ctlName(ctl)) + " has no text");
    }
}

void Win32Controls::addItem(Ctl list, std::string_view entry) {
    const Element& target = elements_.at(list, 0);
    const std::wstring text = widen(entry);
    if (isDropDown(target.row->kind)) {
        SendMessageW(target.hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    } else if (target.row->kind == Kind::ListBox) {
        SendMessageW(target.hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        alignColumns(target);
    } else {
        throw std::logic_error(std::string(ctlName(list)) + " has no entries");
    }
}

void Win32Controls::clear(Ctl list) {
    const Element& target = elements_.at(list, 0);
    if (isDropDown(target.row->kind)) {
        SendMessageW(target.hwnd, CB_RESETCONTENT, 0, 0);
        return;
    }
    SendMessageW(target.hwnd, LB_RESETCONTENT, 0, 0);
    alignColumns(target);
}

std::vector<std::string> Win32Controls::items(Ctl list) const {
    const Element& target = elements_.at(list, 0);
    const bool dropDown = isDropDown(target.row->kind);
    const auto count = SendMessageW(target.hwnd, dropDown ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
    std::vector<std::string> entries;
    for (int i = 0; i < count; ++i) entries.push_back(narrow(entryText(target.hwnd, dropDown, i)));
    return entries;
}

int Win32Controls::listIndex(Ctl ctl) const {
    const Element& target = elements_.at(ctl, 0);
    return static_cast<int>(SendMessageW(
        target.hwnd, isDropDown(target.row->kind) ? CB_GETCURSEL : LB_GETCURSEL, 0, 0));
}

void Win32Controls::chosenByProgram(Ctl ctl, HWND list, int index) {
    dropDownPicks_.settled(ctl, index, SendMessageW(list, CB_GETDROPPEDSTATE, 0, 0) != 0);
}

void Win32Controls::setListIndex(Ctl ctl, int index) {
    // Neither message notifies the parent, so no handler runs.
    const Element& target = elements_.at(ctl, 0);
    const bool dropDown = isDropDown(target.row->kind);
    SendMessageW(target.hwnd, dropDown ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(index),
                 0);
    if (dropDown) chosenByProgram(ctl, target.hwnd, index);
}

void Win32Controls::setDrives(const std::vector<std::string>& entries, int selected) {
    clear(Ctl::Drive1);
    for (const std::string& entry : entries) addItem(Ctl::Drive1, entry);
    setListIndex(Ctl::Drive1, selected);
}

}  // namespace zarnel::win32
