#include "ui/qt/colours.h"

#include <QPalette>

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

QColor toQColor(Colour colour, const QPalette& palette) {
    if (colour::isSystem(colour)) return palette.color(systemRole(colour));
    return QColor(static_cast<int>(colour & kByteMask),
                  static_cast<int>((colour >> kGreenShift) & kByteMask),
                  static_cast<int>((colour >> kBlueShift) & kByteMask));
}

}  // namespace zarnel::qt
