#include "ui/qt/colours.h"

#include <QPalette>
#include <QWidget>

#include "window/colours.h"

namespace zarnel::qt {
namespace {

constexpr Colour kByteMask = 0xFF;
constexpr int kGreenShift = 8;
constexpr int kBlueShift = 16;

QPalette::ColorRole systemRole(Colour value) {
    switch (value) {
        case colour::kWindowBackground:
            return QPalette::Base;
        case colour::kWindowText:
            return QPalette::Text;
        case colour::kHighlight:
            return QPalette::Highlight;
        case colour::kHighlightText:
            return QPalette::HighlightedText;
        case colour::kButtonText:
            return QPalette::ButtonText;
        case colour::kButtonFace:
        default:
            return QPalette::Button;
    }
}

}  // namespace

QColor toQColor(Colour colour, const QWidget& widget) {
    // Only a system colour asks for the palette: the chart asks for its colours at every tick,
    // and a widget's palette is settled against the active window each time it is asked.
    if (colour::isSystem(colour)) return widget.palette().color(systemRole(colour));
    return QColor(static_cast<int>(colour & kByteMask),
                  static_cast<int>((colour >> kGreenShift) & kByteMask),
                  static_cast<int>((colour >> kBlueShift) & kByteMask));
}

}  // namespace zarnel::qt
