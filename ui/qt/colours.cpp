#include "ui/qt/colours.h"

#include <QPalette>

namespace zarnel::qt {
namespace {

constexpr Colour kSystemColourBit = 0x80000000;
constexpr Colour kByteMask = 0xFF;
constexpr int kGreenShift = 8;
constexpr int kBlueShift = 16;

// System colour indices as the Win32 GetSysColor table numbers them.
constexpr Colour kSysWindow = 5;
constexpr Colour kSysWindowText = 8;
constexpr Colour kSysHighlight = 13;
constexpr Colour kSysHighlightText = 14;
constexpr Colour kSysButtonFace = 15;
constexpr Colour kSysButtonText = 18;

QPalette::ColorRole systemRole(Colour index) {
    switch (index) {
        case kSysWindow:
            return QPalette::Base;
        case kSysWindowText:
            return QPalette::Text;
        case kSysHighlight:
            return QPalette::Highlight;
        case kSysHighlightText:
            return QPalette::HighlightedText;
        case kSysButtonText:
            return QPalette::ButtonText;
        case kSysButtonFace:
        default:
            return QPalette::Button;
    }
}

}  // namespace

QColor toQColor(Colour colour, const QPalette& palette) {
    if (colour & kSystemColourBit) return palette.color(systemRole(colour & ~kSystemColourBit));
    return QColor(static_cast<int>(colour & kByteMask),
                  static_cast<int>((colour >> kGreenShift) & kByteMask),
                  static_cast<int>((colour >> kBlueShift) & kByteMask));
}

}  // namespace zarnel::qt
