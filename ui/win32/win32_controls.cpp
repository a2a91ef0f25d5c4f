#include "ui/win32/win32_controls.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>
#include <utility>

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
// Defaults of a fresh picture box: button face, button text, black fill.
constexpr Colour kDefaultPictureFore = 0x80000012;
constexpr Colour kDefaultPictureFill = 0x00000000;

Geometry designGeometry(const LayoutRow& row) {
    return {static_cast<float>(row.left), static_cast<float>(row.top),
            static_cast<float>(row.width), static_cast<float>(row.height)};
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

void Win32Controls::showElement(const Element& target) {
    const int page = target.row->tabPage;
    const bool show = target.shown && (page == kNoTabPage || page == selectedTab());
    // ShowWindow costs a round trip to the window system even when nothing changes, and the
    // time axis shows its labels again at every rename.
    const bool showing = (GetWindowLongPtrW(target.hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
    if (show != showing) ShowWindow(target.hwnd, show ? SW_SHOWNA : SW_HIDE);
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

void Win32Controls::systemColoursChanged() {
    for (auto& [key, target] : elements_) {
        if (target.picture) target.picture->systemColoursChanged();
        // Common controls keep the colours they were made with unless told.
        if (target.hwnd != window_) SendMessageW(target.hwnd, WM_SYSCOLORCHANGE, 0, 0);
    }
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Win32Controls::setEvents(FormEvents* events) {
    events_ = events;
    tellWhatWaited();
}

// An open list's selection is the entry the user is browsing past, no choice: told then, a
// change of volumes or a late answer would show that entry's figures under the chosen one's
// name, or make that folder.
FormEvents* Win32Controls::eventsToTellNow() const {
    FormEvents* handlers = events();
    return handlers && !aListIsOpen() ? handlers : nullptr;
}

void Win32Controls::tellWhatWaited() {
    FormEvents* handlers = eventsToTellNow();
    if (!handlers) return;
    if (heldDriveChanges_ != 0) handlers->drivesChanged(std::exchange(heldDriveChanges_, 0));
    if (std::exchange(heldLateAnswer_, false)) handlers->lateAnswer();
}

void Win32Controls::drivesChanged(std::uint32_t letters) {
    if (FormEvents* handlers = eventsToTellNow()) {
        handlers->drivesChanged(letters);
    } else if (!ended_) {
        heldDriveChanges_ |= letters;
    }
}

void Win32Controls::lateAnswer() {
    if (FormEvents* handlers = eventsToTellNow()) {
        handlers->lateAnswer();
    } else if (!ended_) {
        heldLateAnswer_ = true;
    }
}

void Win32Controls::listClosed() {
    tellWhatWaited();
}

bool Win32Controls::aListIsOpen() const {
    return std::ranges::any_of(std::array{Ctl::Drive1, Ctl::Combo1}, [this](Ctl list) {
        return SendMessageW(handle(list), CB_GETDROPPEDSTATE, 0, 0) != 0;
    });
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
    // Before the window is first shown (the power step's box) an owned box would belong to a
    // window that is on no screen: no taskbar button of its own, placed by a window not placed.
    const HWND owner = IsWindowVisible(window_) ? window_ : nullptr;
    MessageBoxW(owner, widen(text).c_str(), widen(title).c_str(), style);
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
