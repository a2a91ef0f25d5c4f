#include "ui/win32/win32_controls.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "ui/win32/colours.h"
#include "ui/win32/control_factory.h"
#include "ui/win32/form_events.h"
#include "ui/win32/form_window.h"
#include "ui/win32/label.h"
#include "ui/win32/screen_reader_names.h"
#include "ui/win32/text.h"
#include "ui/win32/window_classes.h"

namespace zarnel::win32 {
namespace {

constexpr int kFirstControlId = 100;
constexpr DWORD kFormStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr UINT kPlaceOnly = SWP_NOZORDER | SWP_NOACTIVATE;
// A child that moves or resizes would have its container erase what it uncovered at once, and
// wine then walks every window below the container that waits for a repaint: milliseconds while
// the axis labels wait for theirs. The uncovered part is erased with the next repaint instead.
constexpr UINT kMoveChild = kPlaceOnly | SWP_DEFERERASE;
// Pixels of the strip that the tabs leave free: the selected tab stands out by a few pixels, and
// tabs that do not all fit get scroll arrows.
constexpr int kTabStripSlack = 8;
constexpr int kDropDownFits = 3;
constexpr double kSmallestPoints = 4.0;
constexpr double kPointStep = 0.5;
// Defaults of a fresh picture box: button face, button text, black fill.
constexpr Colour kDefaultPictureFore = 0x80000012;
constexpr Colour kDefaultPictureFill = 0x00000000;

Geometry designGeometry(const LayoutRow& row) {
    return {static_cast<float>(row.left), static_cast<float>(row.top),
            static_cast<float>(row.width), static_cast<float>(row.height)};
}

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

bool isDropDown(Kind kind) {
    return kind == Kind::ComboBox || kind == Kind::DriveList;
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

}  // namespace

Win32Controls::Win32Controls() : fonts_(kBaseDpi), measuring_(CreateCompatibleDC(nullptr)) {
    registerClasses(formProcedure);
    window_ =
        CreateWindowExW(0, kFormClass, L"", kFormStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window_)
        throw std::runtime_error("cannot create the window, error " +
                                 std::to_string(GetLastError()));
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    scale_ = Scale(static_cast<int>(GetDpiForWindow(window_)));
    fonts_.rebuild(scale_.dpi());
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.font(FontRole::Default)),
                 FALSE);
    for (const LayoutRow& row : layoutTable()) build(row);
    rebuildMenu();
    placeWindow();
    showSelectedTab();
    screenReader_.install(*this);
}

Win32Controls::~Win32Controls() {
    if (window_ && IsWindow(window_)) {
        // Torn down by its owner: no handler runs and no quit is posted.
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    for (const auto& [colour, brush] : brushes_) DeleteObject(brush);
    DeleteDC(measuring_);
}

void Win32Controls::build(const LayoutRow& row) {
    switch (row.kind) {
        case Kind::Window:
            SetWindowTextW(window_, widen(row.caption).c_str());
            {
                Element& form = elements_.add(row.name, 0);
                form.hwnd = window_;
                form.row = &row;
                form.geometry = designGeometry(row);
                byHandle_[window_] = &form;
            }
            return;
        case Kind::MenuItem:
            menuItems_.push_back({row.name, widen(row.caption), row.visible});
            return;
        case Kind::Timer:
            timerInterval_ = row.value;
            setTimerEnabled(row.enabled);
            return;
        default:
            break;
    }
    Element& added = elements_.add(row.name, 0);
    added.row = &row;
    added.geometry = designGeometry(row);
    added.shown = row.visible;
    if (row.kind != Kind::PictureBox) added.backColour = row.backColor;
    added.font = row.font;
    HWND parent = parentFor(row);
    added.onForm = parent == window_;
    createElement(row, parent, added);
    byHandle_[added.hwnd] = &added;
    place(added);
    // A caption wider than its label in the installed face is drawn smaller, never cut.
    if (row.kind == Kind::Label) fitFontToWidth(added, widen(row.caption));
    showElement(added);
}

HWND Win32Controls::createElement(const LayoutRow& row, HWND parent, Element& added) {
    HWND control = createControl(row, parent, controlId(row.name));
    added.hwnd = control;
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.font(added.font)), FALSE);
    // Later controls lie over earlier ones, as the layout lists them.
    SetWindowPos(control, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    switch (row.kind) {
        case Kind::Frame:
            forwardToForm(control);
            break;
        case Kind::Label:
            keepCaption(control);
            break;
        case Kind::TextBox:
            added.text = widen(row.caption);
            break;
        case Kind::TabControl: {
            tabs_ = control;
            int index = 0;
            for (const std::string_view caption : tabCaptions()) {
                std::wstring text = widen(caption);
                TCITEMW item{};
                item.mask = TCIF_TEXT;
                item.pszText = text.data();
                SendMessageW(control, TCM_INSERTITEMW, static_cast<WPARAM>(index++),
                             reinterpret_cast<LPARAM>(&item));
            }
            break;
        }
        case Kind::ComboBox:
        case Kind::DriveList:
            for (const std::string_view entry : row.entries)
                SendMessageW(control, CB_ADDSTRING, 0,
                             reinterpret_cast<LPARAM>(widen(entry).c_str()));
            SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
            break;
        case Kind::Slider:
            SendMessageW(control, TBM_SETRANGEMIN, FALSE, row.minimum);
            SendMessageW(control, TBM_SETRANGEMAX, FALSE, row.maximum);
            SendMessageW(control, TBM_SETPOS, TRUE, row.value);
            lastSlider_ = row.value;
            break;
        case Kind::PictureBox:
            added.picture =
                std::make_unique<PictureBox>(control, scale_, row.backColor.value_or(kButtonFace),
                                             row.foreColor.value_or(kDefaultPictureFore),
                                             row.fillColor.value_or(kDefaultPictureFill));
            SetWindowLongPtrW(control, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(added.picture.get()));
            break;
        default:
            break;
    }
    return control;
}

HWND Win32Controls::parentFor(const LayoutRow& row) const {
    const Ctl container = row.container.value();
    // A tab's frames lie over the tab control on the form; only the selected tab's are shown.
    if (container == Ctl::Form1 || container == Ctl::SSTab1) return window_;
    return elements_.at(container, 0).hwnd;
}

HWND Win32Controls::handle(Ctl ctl, int index) const {
    const Element* found = elements_.find(ctl, index);
    return found ? found->hwnd : nullptr;
}

std::vector<int> Win32Controls::indices(Ctl ctl) const {
    return elements_.indices(ctl);
}

int Win32Controls::controlId(Ctl ctl) const {
    return kFirstControlId + static_cast<int>(ctl);
}

std::optional<Ctl> Win32Controls::ctlOfId(int id) const {
    const int offset = id - kFirstControlId;
    if (offset < 0 || offset > static_cast<int>(Ctl::lblY)) return std::nullopt;
    return static_cast<Ctl>(offset);
}

PictureBox& Win32Controls::pictureBox(Ctl ctl, int index) const {
    const Element& found = elements_.at(ctl, index);
    if (!found.picture) throw std::logic_error(std::string(ctlName(ctl)) + " is no picture box");
    return *found.picture;
}

HFONT Win32Controls::font(Ctl ctl, int index) const {
    const Element& found = elements_.at(ctl, index);
    return found.shrunk ? found.shrunk : fonts_.font(found.font);
}

void Win32Controls::place(Element& target) {
    if (target.hwnd == window_) {
        placeWindow();
        return;
    }
    const Geometry& g = target.geometry;
    int left = scale_.toPixels(g.left);
    int top = scale_.toPixels(g.top);
    const int width = scale_.toPixels(g.width);
    const int height = scale_.toPixels(g.height);
    if (target.row->tabPage != kNoTabPage) {
        const Geometry& tabs = elements_.at(Ctl::SSTab1, 0).geometry;
        left += scale_.toPixels(tabs.left);
        top += scale_.toPixels(tabs.top);
    }
    const Kind kind = target.row->kind;
    if (isDropDown(kind)) {
        target.placed = {left, top, left + width, top + height};
        const RECT at = shown(target, target.placed);
        SetWindowPos(target.hwnd, nullptr, at.left, at.top, width, height + kDropDownListHeight,
                     kPlaceOnly);
        // A drop-down's closed height follows its field's: move the field's height by what the
        // closed height misses until the two agree. What the field reports and what it takes
        // differ by its edges, and by system, so only the asked height is moved.
        auto field = SendMessageW(target.hwnd, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
        for (int attempt = 0; attempt < kDropDownFits; ++attempt) {
            RECT closed{};
            GetWindowRect(target.hwnd, &closed);
            const auto missing = height - (closed.bottom - closed.top);
            if (missing == 0) break;
            field += missing;
            SendMessageW(target.hwnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
        }
        return;
    }
    moveTo(target, {left, top, left + width, top + height});
    if (kind == Kind::TabControl) {
        const int stripHeight = scale_.toPixels(layout::kTabStripHeight);
        SendMessageW(target.hwnd, TCM_SETITEMSIZE, 0,
                     MAKELPARAM((width - kTabStripSlack) / layout::kTabCount, stripHeight));
    }
}

// Moves a child window, unless it is there already: the time axis re-places all its labels
// every second, most of them where they were, and each move repaints. Where it is comes from the
// element, not from the window: reading it back is two calls into wine per control.
void Win32Controls::moveTo(Element& target, const RECT& r) {
    if (EqualRect(&target.placed, &r)) return;
    const RECT at = shown(target, r);
    SetWindowPos(target.hwnd, nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
                 kMoveChild);
    target.placed = r;
}

RECT Win32Controls::shown(const Element& target, RECT r) const {
    if (target.onForm) OffsetRect(&r, -scroll_.offset().x, -scroll_.offset().y);
    return r;
}

void Win32Controls::followScroll() {
    for (auto& [key, target] : elements_) {
        if (!target.onForm) continue;
        const RECT at = shown(target, target.placed);
        SetWindowPos(target.hwnd, nullptr, at.left, at.top, 0, 0, kPlaceOnly | SWP_NOSIZE);
    }
}

void Win32Controls::formResized() {
    const Geometry& design = elements_.at(Ctl::Form1, 0).geometry;
    const SIZE content{scale_.toPixels(design.width), scale_.toPixels(design.height)};
    if (scroll_.resized(window_, clientWithoutBars(), scrollBars(), content)) followScroll();
}

void Win32Controls::formScrolled(int bar, WORD request, WORD thumb) {
    if (scroll_.requested(window_, bar, request, thumb)) followScroll();
}

void Win32Controls::formWheeled(int delta) {
    UINT linesPerNotch = 0;
    if (!SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &linesPerNotch, 0)) return;
    if (scroll_.wheeled(window_, delta, linesPerNotch)) followScroll();
}

void Win32Controls::reveal(HWND control) {
    RECT area{};
    GetWindowRect(control, &area);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&area), 2);
    OffsetRect(&area, scroll_.offset().x, scroll_.offset().y);
    if (scroll_.reveal(window_, area)) followScroll();
}

void Win32Controls::placeWindow() {
    const Geometry& g = elements_.at(Ctl::Form1, 0).geometry;
    const int width = scale_.toPixels(g.width);
    const int height = scale_.toPixels(g.height);
    RECT frame{0, 0, width, height};
    AdjustWindowRectExForDpi(&frame, kFormStyle, TRUE, 0, static_cast<UINT>(scale_.dpi()));
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | kPlaceOnly);
    // A menu bar that wraps takes more than one line: correct by what the client area lacks.
    const SIZE room = clientWithoutBars();
    SIZE whole{frame.right - frame.left + width - room.cx,
               frame.bottom - frame.top + height - room.cy};
    RECT now{};
    GetWindowRect(window_, &now);
    RECT at = now;
    // No larger than the screen's free area, and inside it: at 150 % a 720-line screen is
    // shorter than the window, whose bottom would be out of reach. The contents then scroll,
    // and the window is wider by the scroll bar, where the screen has the room.
    MONITORINFO monitor{sizeof(monitor), {}, {}, 0};
    if (GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& work = monitor.rcWork;
        if (whole.cy > work.bottom - work.top) whole.cx += scrollBars().cx;
        whole = {std::min(whole.cx, work.right - work.left),
                 std::min(whole.cy, work.bottom - work.top)};
        at.left = std::max(work.left, std::min(at.left, work.right - whole.cx));
        at.top = std::max(work.top, std::min(at.top, work.bottom - whole.cy));
    }
    if (now.left != at.left || now.top != at.top || now.right - now.left != whole.cx ||
        now.bottom - now.top != whole.cy) {
        SetWindowPos(window_, nullptr, at.left, at.top, whole.cx, whole.cy, kPlaceOnly);
    }
}

SIZE Win32Controls::clientWithoutBars() const {
    RECT client{};
    GetClientRect(window_, &client);
    const LONG_PTR style = GetWindowLongPtrW(window_, GWL_STYLE);
    const SIZE bars = scrollBars();
    return {client.right + ((style & WS_VSCROLL) ? bars.cx : 0),
            client.bottom + ((style & WS_HSCROLL) ? bars.cy : 0)};
}

SIZE Win32Controls::scrollBars() const {
    const auto dpi = static_cast<UINT>(scale_.dpi());
    return {GetSystemMetricsForDpi(SM_CXVSCROLL, dpi), GetSystemMetricsForDpi(SM_CYHSCROLL, dpi)};
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
    RECT client{};
    GetClientRect(target.hwnd, &client);
    int width = client.right;
    if (target.row->kind == Kind::TextBox) {
        const auto margins = SendMessageW(target.hwnd, EM_GETMARGINS, 0, 0);
        width -= LOWORD(margins) + HIWORD(margins);
    }
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

void Win32Controls::showElement(const Element& target) {
    const int page = target.row->tabPage;
    const bool show = target.shown && (page == kNoTabPage || page == selectedTab());
    // ShowWindow costs a round trip to the window system even when nothing changes, and the
    // time axis shows its labels again at every rename.
    const bool showing = (GetWindowLongPtrW(target.hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
    if (show != showing) ShowWindow(target.hwnd, show ? SW_SHOWNA : SW_HIDE);
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

int Win32Controls::selectedTab() const {
    return static_cast<int>(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0));
}

void Win32Controls::selectTab(int index) {
    const int previous = selectedTab();
    if (index == previous) return;
    SendMessageW(tabs_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    showSelectedTab();
    if (FormEvents* handlers = events()) handlers->tabSelected(previous);
}

int Win32Controls::tabChanged() {
    showSelectedTab();
    return leftTab_;
}

void Win32Controls::showSelectedTab() {
    for (const auto& [key, target] : elements_)
        if (target.row && target.row->tabPage != kNoTabPage) showElement(target);
}

std::vector<HWND> Win32Controls::tabStops() const {
    std::vector<std::pair<int, HWND>> order;
    for (const auto& [key, target] : elements_) {
        if (key.second != 0 || !target.row || target.row->tabOrder == kNoTabOrder) continue;
        if (takesFocus(target.row->kind)) order.emplace_back(target.row->tabOrder, target.hwnd);
    }
    std::sort(order.begin(), order.end());
    std::vector<HWND> stops;
    for (const auto& [unused, hwnd] : order) stops.push_back(hwnd);
    return stops;
}

bool Win32Controls::sliderMoved() {
    const int value = sliderValue();
    if (value == lastSlider_) return false;
    lastSlider_ = value;
    return true;
}

void Win32Controls::dpiChanged(int dpi, const RECT& suggested) {
    scale_ = Scale(dpi);
    fonts_.rebuild(dpi);
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, kPlaceOnly);
    for (auto& [key, target] : elements_) {
        target.shrunk = nullptr;  // deleted with the old fonts; fitted again below
        SendMessageW(target.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.font(target.font)),
                     TRUE);
        place(target);
        refit(target, target.row->kind == Kind::Label ? caption(target.hwnd) : target.text);
    }
}

void Win32Controls::systemColoursChanged() {
    for (auto& [key, target] : elements_) {
        if (target.picture) target.picture->systemColoursChanged();
        // Common controls keep the colours they were made with unless told.
        if (target.hwnd != window_) SendMessageW(target.hwnd, WM_SYSCOLORCHANGE, 0, 0);
    }
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Win32Controls::destroyed() {
    timerEnabled_ = false;
    PostQuitMessage(0);
}

const Win32Controls::MenuItem* Win32Controls::menuItem(Ctl ctl) const {
    const auto it = std::find_if(menuItems_.begin(), menuItems_.end(),
                                 [ctl](const MenuItem& item) { return item.ctl == ctl; });
    return it == menuItems_.end() ? nullptr : &*it;
}

void Win32Controls::rebuildMenu() {
    HMENU fresh = CreateMenu();
    for (const MenuItem& item : menuItems_) {
        if (item.shown)
            AppendMenuW(fresh, MF_STRING, static_cast<UINT_PTR>(controlId(item.ctl)),
                        item.caption.c_str());
    }
    HMENU old = menu_;
    SetMenu(window_, fresh);
    menu_ = fresh;
    if (old) DestroyMenu(old);
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
    } else {
        throw std::logic_error(std::string(ctlName(list)) + " has no entries");
    }
}

void Win32Controls::clear(Ctl list) {
    const Element& target = elements_.at(list, 0);
    SendMessageW(target.hwnd, isDropDown(target.row->kind) ? CB_RESETCONTENT : LB_RESETCONTENT, 0,
                 0);
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

void Win32Controls::setListIndex(Ctl ctl, int index) {
    // Neither message notifies the parent, so no handler runs.
    const Element& target = elements_.at(ctl, 0);
    SendMessageW(target.hwnd, isDropDown(target.row->kind) ? CB_SETCURSEL : LB_SETCURSEL,
                 static_cast<WPARAM>(index), 0);
}

void Win32Controls::setDrives(const std::vector<std::string>& entries, int selected) {
    clear(Ctl::Drive1);
    for (const std::string& entry : entries) addItem(Ctl::Drive1, entry);
    setListIndex(Ctl::Drive1, selected);
}

void Win32Controls::setTimerEnabled(bool on) {
    timerEnabled_ = on;
    if (on) {
        startTimer();
    } else {
        KillTimer(window_, kTimerId);
    }
}

void Win32Controls::setTimerInterval(int milliseconds) {
    timerInterval_ = milliseconds;
    // A running timer starts its new interval afresh.
    if (timerEnabled_) startTimer();
}

void Win32Controls::startTimer() {
    SetTimer(window_, kTimerId, static_cast<UINT>(timerInterval_), nullptr);
}

int Win32Controls::sliderValue() const {
    return static_cast<int>(SendMessageW(elements_.at(Ctl::Slider1, 0).hwnd, TBM_GETPOS, 0, 0));
}

void Win32Controls::messageBox(std::string_view text, MessageIcon icon, std::string_view title) {
    const UINT style =
        MB_OK | (icon == MessageIcon::Information ? MB_ICONINFORMATION : MB_ICONERROR);
    MessageBoxW(window_, widen(text).c_str(), widen(title).c_str(), style);
}

void Win32Controls::load(Ctl array, int index) {
    const Element& first = elements_.at(array, 0);
    Element& copy = elements_.add(array, index);
    copy.row = first.row;
    copy.geometry = first.geometry;
    copy.shown = false;
    copy.autoSize = first.autoSize;
    copy.backColour = first.backColour;
    copy.font = first.font;
    createElement(*first.row, GetParent(first.hwnd), copy);
    byHandle_[copy.hwnd] = &copy;
    if (first.row->kind == Kind::Label) {
        const LONG_PTR mask = alignmentMask(Kind::Label);
        const LONG_PTR style = GetWindowLongPtrW(copy.hwnd, GWL_STYLE) & ~mask;
        SetWindowLongPtrW(copy.hwnd, GWL_STYLE,
                          style | (GetWindowLongPtrW(first.hwnd, GWL_STYLE) & mask));
        setCaption(copy.hwnd, caption(first.hwnd));
    }
    if (first.picture) {
        copy.picture->setForeColor(first.picture->foreColour());
        copy.picture->setFillColor(first.picture->fillColour());
        copy.picture->setBackColor(first.picture->backColour());
    }
    // A reader hears a label or picture array through its first element, or not at all.
    if (first.picture && first.picture->answersReaders())
        copy.picture->answerReaders(ReaderAnswer::drawnOnly());
    else if (first.row->kind == Kind::Label && answersReaders(first.hwnd))
        answerReaders(copy.hwnd, ReaderAnswer::drawnOnly());
    place(copy);
    showElement(copy);
}

int Win32Controls::count(Ctl array) const {
    return elements_.count(array);
}

Geometry Win32Controls::geometry(Ctl ctl, int index) const {
    return elements_.at(ctl, index).geometry;
}

void Win32Controls::setGeometry(Ctl ctl, const Geometry& geometry, int index) {
    Element& target = elements_.at(ctl, index);
    // An auto-sized label keeps the size its caption gave it: only its place changes.
    const bool keepsSize = target.autoSize && target.row->kind == Kind::Label;
    const Geometry fitted = target.geometry;
    target.geometry = geometry;
    if (keepsSize) {
        target.geometry.width = fitted.width;
        target.geometry.height = fitted.height;
    }
    place(target);
    // A fixed-size label given another width fits its caption to it again.
    if (target.row->kind == Kind::Label && !target.autoSize && geometry.width != fitted.width)
        refit(target, caption(target.hwnd));
}

bool Win32Controls::visible(Ctl ctl, int index) const {
    if (const MenuItem* item = menuItem(ctl)) return item->shown;
    if (ctl == Ctl::Timer1) return false;
    return elements_.at(ctl, index).shown;
}

void Win32Controls::setVisible(Ctl ctl, bool on, int index) {
    if (menuItem(ctl)) {
        for (MenuItem& item : menuItems_)
            if (item.ctl == ctl) item.shown = on;
        rebuildMenu();
        return;
    }
    Element& target = elements_.at(ctl, index);
    target.shown = on;
    showElement(target);
}

void Win32Controls::setBackColor(Ctl ctl, Colour colour, int index) {
    Element& target = elements_.at(ctl, index);
    if (target.picture) {
        target.picture->setBackColor(colour);
        return;
    }
    target.backColour = colour;
    InvalidateRect(target.hwnd, nullptr, TRUE);
}

void Win32Controls::setAlignment(Ctl ctl, Align align, int index) {
    Element& target = elements_.at(ctl, index);
    const LONG_PTR mask = alignmentMask(target.row->kind);
    if (mask == 0) return;
    const LONG_PTR before = GetWindowLongPtrW(target.hwnd, GWL_STYLE);
    const LONG_PTR after = (before & ~mask) | alignmentStyle(target.row->kind, align);
    if (after == before) return;
    SetWindowLongPtrW(target.hwnd, GWL_STYLE, after);
    InvalidateRect(target.hwnd, nullptr, TRUE);
    if (target.autoSize) fit(target);
}

void Win32Controls::setAutoSize(Ctl ctl, bool on, int index) {
    Element& target = elements_.at(ctl, index);
    // A label that already fits keeps fitting through setText: no second measure. One that
    // fits its caption needs no smaller type.
    if (on && !target.autoSize) {
        useFont(target, fonts_.font(target.font));
        fit(target);
    }
    target.autoSize = on;
}

void Win32Controls::bringToFront(Ctl ctl, int index) {
    SetWindowPos(elements_.at(ctl, index).hwnd, HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

Picture& Win32Controls::picture(Ctl ctl) {
    return pictureBox(ctl);
}

void Win32Controls::endProgram() {
    ended_ = true;
    closeHandlers_ = false;
    setTimerEnabled(false);
    DestroyWindow(window_);
}

HBRUSH Win32Controls::backBrush(HWND control) {
    const auto found = byHandle_.find(control);
    if (found == byHandle_.end()) return nullptr;
    const Element& target = *found->second;
    if (target.backColour) return brush(*target.backColour);
    // A control on a picture box shows the box's background around its text.
    const auto holder = byHandle_.find(GetParent(control));
    if (holder != byHandle_.end()) {
        const Element& box = *holder->second;
        if (box.picture) return brush(box.picture->backColour());
    }
    return nullptr;
}

HBRUSH Win32Controls::brush(Colour colour) {
    const COLORREF value = toColorRef(colour);
    const auto found = brushes_.find(value);
    if (found != brushes_.end()) return found->second;
    return brushes_[value] = CreateSolidBrush(value);
}

}  // namespace zarnel::win32
