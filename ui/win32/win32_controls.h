// The window built from the layout table with CreateWindowExW and the common controls, and the
// Controls interface over it.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/win32/com_apartment.h"
#include "ui/win32/drop_down_picks.h"
#include "ui/win32/fonts.h"
#include "ui/win32/form_scroll.h"
#include "ui/win32/picture_box.h"
#include "ui/win32/scale.h"
#include "ui/win32/screen_reader_names.h"
#include "window/controls.h"
#include "window/element_map.h"
#include "window/layout.h"

namespace zarnel::win32 {

class FormEvents;

class Win32Controls : public Controls {
  public:
    // Builds the window, hidden, and every control in it.
    Win32Controls();
    ~Win32Controls() override;
    Win32Controls(const Win32Controls&) = delete;
    Win32Controls& operator=(const Win32Controls&) = delete;

    HWND window() const { return window_; }
    // The window of a control (element `index` of an array); none for the menu items and the
    // timer.
    HWND handle(Ctl ctl, int index = 0) const;
    // The control (element 0) whose window has this control id.
    std::optional<Ctl> ctlOfId(int id) const;
    int controlId(Ctl ctl) const;
    PictureBox& pictureBox(Ctl ctl, int index = 0) const;
    const Scale& scale() const { return scale_; }
    // The font a control shows its text in now.
    HFONT font(Ctl ctl, int index = 0) const;
    // The brush a control's background is painted with; none for the system's default.
    HBRUSH backBrush(HWND control);

    // Where events go once the form is loaded; none before. The volumes that came or went,
    // and a late answer, while it loaded are told then.
    void setEvents(FormEvents* events);
    FormEvents* events() const { return closeHandlers_ ? events_ : nullptr; }
    // Volumes of these drive letters (bit 0 for A:) came or went.
    void drivesChanged(std::uint32_t letters);
    // A drive, or a folder on one, answered after the window had stopped waiting for it.
    // Either, told while a drop-down list is open, waits until the list closes (listClosed).
    void lateAnswer();
    void listClosed();
    int selectedTab() const;
    // Selects a tab as a click on it does, telling the form.
    void selectTab(int index);
    // The user is leaving the selected tab.
    void tabChanging() { leftTab_ = selectedTab(); }
    // The user selected another tab: shows its controls; returns the tab left.
    int tabChanged();
    // The window's controls that the Tab key visits, in tab order, shown or not.
    std::vector<HWND> tabStops() const;
    // The slider moved; true when its value differs from the last one seen.
    bool sliderMoved();
    void dpiChanged(int dpi, const RECT& suggested);
    // The form's client area changed size: its scroll bars follow.
    void formResized();
    // A request of the form's own scroll bar `bar` (SB_HORZ or SB_VERT).
    void formScrolled(int bar, WORD request, WORD thumb);
    // The wheel turned (SB_VERT) or tilted (SB_HORZ) over the form, or over a control that does
    // not scroll.
    void formWheeled(int bar, int delta);
    // Scrolls the form the least that shows `control` (one of its descendants) whole.
    void reveal(HWND control);
    // A tick of the timer has run, at the system's tick count `now` (milliseconds).
    void ticked(ULONGLONG now) { screenReader_.figuresMayHaveChanged(now); }
    // The system's colours changed (a high-contrast theme turned on): every control and
    // picture face takes them.
    void systemColoursChanged();
    // The control that had the focus when the window was last left; none before.
    HWND keptFocus() const { return keptFocus_; }
    DropDownPicks& dropDownPicks() { return dropDownPicks_; }
    void keepFocus(HWND control) { keptFocus_ = control; }
    // The window is gone.
    void destroyed();
    bool ended() const { return ended_; }

    std::string text(Ctl ctl, int index = 0) const override;
    void setText(Ctl ctl, std::string_view text, int index = 0) override;
    void addItem(Ctl list, std::string_view entry) override;
    void clear(Ctl list) override;
    std::vector<std::string> items(Ctl list) const override;
    int listIndex(Ctl ctl) const override;
    void setListIndex(Ctl ctl, int index) override;
    void setDrives(const std::vector<std::string>& entries, int selected) override;
    bool timerEnabled() const override { return timerEnabled_; }
    void setTimerEnabled(bool on) override;
    int timerInterval() const override { return timerInterval_; }
    void setTimerInterval(int milliseconds) override;
    int sliderValue() const override;
    void messageBox(std::string_view text, MessageIcon icon, std::string_view title) override;
    void load(Ctl array, int index) override;
    int count(Ctl array) const override;
    std::vector<int> indices(Ctl ctl) const override;
    Geometry geometry(Ctl ctl, int index = 0) const override;
    void setGeometry(Ctl ctl, const Geometry& geometry, int index = 0) override;
    bool visible(Ctl ctl, int index = 0) const override;
    void setVisible(Ctl ctl, bool visible, int index = 0) override;
    void setBackColor(Ctl ctl, Colour colour, int index = 0) override;
    void setAlignment(Ctl ctl, Align align, int index = 0) override;
    void setAutoSize(Ctl ctl, bool on, int index = 0) override;
    void bringToFront(Ctl ctl, int index = 0) override;
    Picture& picture(Ctl ctl) override;
    float twipsPerPixelX() const override { return scale_.twipsPerPixel(); }
    std::intptr_t hWnd() const override { return reinterpret_cast<std::intptr_t>(window_); }
    void endProgram() override;

  private:
    // The program chose entry `index` of drop-down `ctl`, whose list is `list`: no pick of the
    // user's (see DropDownPicks).
    void chosenByProgram(Ctl ctl, HWND list, int index);
    // Whether the drive list or the folder list is dropped down.
    bool aListIsOpen() const;
    // The form's events when they may be told now: loaded, and no list open.
    FormEvents* eventsToTellNow() const;
    void tellWhatWaited();

    // The form is made with this style, and sized for it.
    static constexpr DWORD kFormStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

    struct Element {
        HWND hwnd = nullptr;
        const LayoutRow* row = nullptr;
        Geometry geometry;  // twips as last set, kept exactly
        bool shown = true;  // the control's own visibility, whatever its tab or container
        bool autoSize = false;
        std::optional<Colour> backColour;
        FontRole font = FontRole::Default;
        HFONT shrunk = nullptr;  // a smaller size of its font that its text fits in, if any
        std::wstring text;       // a text box's text as the program last set it
        RECT placed{};           // where moveTo last put its window, in its container's pixels
        bool onForm = false;     // a child of the form itself, shown moved by its scrolling
        std::unique_ptr<PictureBox> picture;
    };
    struct MenuItem {
        Ctl ctl;
        std::wstring caption;
        bool shown = true;
    };

    void build(const LayoutRow& row);
    HWND createElement(const LayoutRow& row, HWND parent, Element& element);
    HWND parentFor(const LayoutRow& row) const;
    void place(Element& element);
    void moveTo(Element& element, const RECT& r);
    // `r` of an element's container as it shows now: moved by the form's scrolling for a
    // child of the form.
    RECT shown(const Element& element, RECT r) const;
    // Shows the form's children where its scrolling now puts them.
    void followScroll();
    void placeWindow();
    // The form's client area, without its scroll bars, is the layout's at the current scale.
    bool atDesignSize() const;
    // The form's client area as it would be without its scroll bars, and their thickness (a
    // vertical one's width, a horizontal one's height).
    SIZE clientWithoutBars() const;
    SIZE scrollBars() const;
    void fit(Element& element);
    void fitFontToWidth(Element& element, const std::wstring& text);
    // Draws `element` in `font`, its own or a smaller one made by fitFontToWidth.
    void useFont(Element& element, HFONT font);
    // Puts the values of a list box's "caption<tab>value" lines in one column past its widest
    // caption, and lets it scroll sideways to its widest line: after every change of its lines
    // or its font.
    void alignColumns(const Element& list);
    // Fits `text` to the element again after its text, size or font changed: an auto-sized
    // label to its text, a fixed label or one-line field by a smaller font where it must.
    void refit(Element& element, const std::wstring& text);
    void showElement(const Element& element);
    void repaintLabel(Ctl ctl, int index);
    void showSelectedTab();
    void rebuildMenu();
    void startTimer();
    HBRUSH brush(Colour colour);
    const MenuItem* menuItem(Ctl ctl) const;

    // First in, last out: the window is made and destroyed within the apartment.
    ComApartment apartment_;
    Scale scale_;
    Fonts fonts_;
    // Text is measured here: a memory DC costs no round trip to the window system per use.
    HDC measuring_;
    HWND window_ = nullptr;
    HWND tabs_ = nullptr;
    HMENU menu_ = nullptr;
    ElementMap<Element> elements_;
    std::map<HWND, const Element*> byHandle_;  // elements never move once added
    std::vector<MenuItem> menuItems_;
    std::map<COLORREF, HBRUSH> brushes_;
    FormEvents* events_ = nullptr;
    // Letters whose volumes changed before there were events to tell (the form's loading lets
    // sent messages through: WMI's calls wait in a loop that delivers them), or while a list
    // was open.
    std::uint32_t heldDriveChanges_ = 0;
    bool heldLateAnswer_ = false;
    bool timerEnabled_ = false;
    int timerInterval_ = 0;
    int lastSlider_ = 0;
    int leftTab_ = 0;
    HWND keptFocus_ = nullptr;
    DropDownPicks dropDownPicks_;
    ScreenReaderNames screenReader_;
    FormScroll scroll_;
    bool closeHandlers_ = true;
    bool ended_ = false;
};

}  // namespace zarnel::win32
