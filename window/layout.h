// The window as it stands before any code runs: one row per control, walked by every
// front-end to build its widgets. Data, not code.
#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "window/controls.h"

namespace zarnel {

enum class Kind {
    Window,
    MenuItem,
    TabControl,
    Frame,
    Label,
    TextBox,
    ListBox,
    ComboBox,
    DriveList,
    PictureBox,
    CommandButton,
    Timer,
    Slider,
};

// Frame captions use their own face; everything else the window's default font.
enum class FontRole { Default, FrameCaption };

inline constexpr int kNoTabOrder = -1;
inline constexpr int kNoTabPage = -1;

struct LayoutRow {
    Ctl name;
    Kind kind;
    std::optional<Ctl> container{};  // none for the window itself and its menu items
    int tabPage = kNoTabPage;        // page of SSTab1 for controls placed directly on it
    int left = 0;                    // twips, in the container's client area
    int top = 0;
    int width = 0;
    int height = 0;
    std::string_view caption{};  // caption, or a text box's initial text
    int tabOrder = kNoTabOrder;
    Align align = Align::Left;
    std::optional<Colour> backColor{};
    std::optional<Colour> foreColor{};
    std::optional<Colour> fillColor{};  // picture boxes with a solid fill style
    FontRole font = FontRole::Default;
    bool visible = true;
    bool multiLine = false;
    bool flat = false;                        // no 3-D edge
    std::vector<std::string_view> entries{};  // combo box list, in order
    int minimum = 0;                          // slider
    int maximum = 0;                          // slider
    int value = 0;                            // slider position or timer interval (ms)
    bool enabled = true;                      // timer
};

namespace layout {
inline constexpr int kClientWidth = 5790;  // twips
inline constexpr int kClientHeight = 6540;
inline constexpr int kTwipsPerPixel = 15;  // at 96 dots per inch
inline constexpr int kTabStripHeight = 295;
inline constexpr std::string_view kWindowCaption = "Form1";
inline constexpr std::string_view kFrameFontFace = "ＭＳ Ｐゴシック";
inline constexpr double kFrameFontPoints = 11.25;
inline constexpr int kFrameFontWeight = 400;
inline constexpr int kFrameFontCharset = 128;  // Shift-JIS
inline constexpr int kTabCount = 4;

// The tab `step` tabs on from `current` (back for a negative step), round the ends: what the
// keys that turn tabs select.
constexpr int turnedTab(int current, int step) {
    return ((current + step) % kTabCount + kTabCount) % kTabCount;
}
}  // namespace layout

// Every row, parents before their children.
std::span<const LayoutRow> layoutTable();
const LayoutRow& layoutRow(Ctl name);
std::span<const std::string_view> tabCaptions();

}  // namespace zarnel
