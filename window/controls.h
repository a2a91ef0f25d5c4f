// The window's control set: every control of Form1 by name, and the one interface through
// which the logic reads and writes them. Front-ends (Qt, Win32) and the tests' in-memory
// window implement it; the logic never sees a toolkit type.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zarnel {

// The formatter reflows this list differently from one run to the next: kept as it stands.
// clang-format off
#define ZARNEL_CONTROLS(X)                                                                         \
    X(Form1)                                                                                       \
    X(book)                                                                                        \
    X(game) X(SSTab1) X(Timer1) X(Frame1) X(Frame2) X(Frame3) X(Frame4) X(Frame5) X(Frame6)        \
        X(Frame7) X(Frame8) X(Frame9) X(Frame10) X(Label1) X(Label2) X(Label3) X(Label4) X(Label5) \
            X(Label6) X(Label7) X(Label8) X(Label9) X(Label10) X(Label11) X(Label12) X(Label13)    \
                X(Label14) X(Label15) X(Label16) X(Label17) X(Label18) X(Label19) X(Label20)       \
                    X(Label21) X(Label22) X(Label23) X(Label24) X(Label25) X(Label26) X(Label27)   \
                        X(Label28) X(Label29) X(Label31) X(Label32) X(Text1) X(Text2) X(Text3)     \
                            X(Text4) X(Text5) X(Text6) X(Text7) X(Text8) X(Text9) X(Text10)        \
                                X(Text11) X(Text12) X(Text13) X(Text14) X(Text15) X(Text16)        \
                                    X(Text17) X(Text18) X(Text19) X(Text20) X(Text21) X(Text22)    \
                                        X(Text23) X(Text24) X(Text25) X(Text26) X(Text27)          \
                                            X(Text28) X(Text29) X(Text30) X(List2) X(List3)        \
                                                X(List4) X(Picture1) X(Picture2) X(Picture3)       \
                                                    X(Picture4) X(Combo1) X(Drive1) X(Slider1)     \
                                                        X(Command2) X(lblX) X(lblY)
// clang-format on

enum class Ctl {
#define ZARNEL_ENUM_ENTRY(name) name,
    ZARNEL_CONTROLS(ZARNEL_ENUM_ENTRY)
#undef ZARNEL_ENUM_ENTRY
};

// The control's own name ("Text1").
std::string_view ctlName(Ctl ctl);

// Colours as the window stores them: 00BBGGRR, or a system colour with the top bit set.
using Colour = std::uint32_t;

enum class Align { Left, Right, Center };
enum class MessageIcon { Information, Error };

// Position and size in twips, single precision as the window keeps them.
struct Geometry {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
};

// A scroll or clip rectangle in device pixels (the window's RECT).
struct PixelRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

// A picture box as a drawing surface. Coordinates are twips from its top-left corner.
class Picture {
  public:
    virtual ~Picture() = default;

    // Persistent image: what is drawn stays and repaints itself.
    virtual void setAutoRedraw(bool on) = 0;
    // Sets the background and clears the image to it.
    virtual void setBackColor(Colour colour) = 0;
    virtual void setFillColor(Colour colour) = 0;
    virtual float currentX() const = 0;
    virtual float currentY() const = 0;
    virtual void setCurrentX(float x) = 0;
    virtual void setCurrentY(float y) = 0;
    // A one-pixel solid line from the pen position; the pen stays at (x, y).
    virtual void lineTo(float x, float y, Colour colour) = 0;
    // A filled wedge, both radii drawn, outline in the foreground colour, fill in the fill
    // colour. Angles in radians, 0 at 3 o'clock, counterclockwise from start to end.
    virtual void pieWedge(float centreX, float centreY, float radius, float startAngle,
                          float endAngle) = 0;
    // Moves the image's pixels by (dx, dy) within the rectangles; the uncovered strip keeps
    // its old pixels.
    virtual void scroll(int dx, int dy, const PixelRect& scrollRect, const PixelRect& clipRect) = 0;
};

class Controls {
  public:
    virtual ~Controls() = default;

    // Text box Text, label or button Caption, or the selected entry of a combo box or drive
    // list. `index` picks the element of a control array.
    virtual std::string text(Ctl ctl, int index = 0) const = 0;
    virtual void setText(Ctl ctl, std::string_view text, int index = 0) = 0;

    // List boxes.
    virtual void addItem(Ctl list, std::string_view entry) = 0;
    virtual void clear(Ctl list) = 0;
    virtual std::vector<std::string> items(Ctl list) const = 0;

    // Combo box and drive list: the selected entry (-1 for none). Setting it raises no event;
    // the caller runs the click handler itself, exactly as a user's pick would.
    virtual int listIndex(Ctl ctl) const = 0;
    virtual void setListIndex(Ctl ctl, int index) = 0;
    // The drive list's entries, filled when the window is built and when the drives change.
    virtual void setDrives(const std::vector<std::string>& entries, int selected) = 0;

    virtual bool timerEnabled() const = 0;
    virtual void setTimerEnabled(bool on) = 0;
    virtual int timerInterval() const = 0;
    virtual void setTimerInterval(int milliseconds) = 0;
    virtual int sliderValue() const = 0;

    // A modal box with an OK button only; returns when the user closes it.
    virtual void messageBox(std::string_view text, MessageIcon icon, std::string_view title) = 0;

    // Control arrays: element `index` created as a hidden copy of element 0.
    virtual void load(Ctl array, int index) = 0;
    virtual int count(Ctl array) const = 0;
    // The indices of a control's elements, ascending (just 0 for a control that is no array).
    virtual std::vector<int> indices(Ctl ctl) const = 0;

    virtual Geometry geometry(Ctl ctl, int index = 0) const = 0;
    virtual void setGeometry(Ctl ctl, const Geometry& geometry, int index = 0) = 0;
    virtual bool visible(Ctl ctl, int index = 0) const = 0;
    virtual void setVisible(Ctl ctl, bool visible, int index = 0) = 0;
    virtual void setBackColor(Ctl ctl, Colour colour, int index = 0) = 0;
    virtual void setAlignment(Ctl ctl, Align align, int index = 0) = 0;
    // A label that fits its width and height to its caption, now and on every change.
    virtual void setAutoSize(Ctl ctl, bool on, int index = 0) = 0;
    virtual void bringToFront(Ctl ctl, int index = 0) = 0;

    virtual Picture& picture(Ctl ctl) = 0;
    virtual float twipsPerPixelX() const = 0;

    // The window's handle, for platform calls that take an owner window.
    virtual std::intptr_t hWnd() const = 0;
    // Ends the program at once, without the window's closing handlers.
    virtual void endProgram() = 0;
};

// Fills `list` with `entries`, leaving it as it is when it holds them already: shown again
// unchanged (a late answer), the reader's place in it stays.
void showEntries(Controls& controls, Ctl list, const std::vector<std::string>& entries);

}  // namespace zarnel
