#include "ui/qt/colours.h"

#include <QPalette>
#include <QWidget>

#include "window/colours.h"
#include "window/contrast.h"

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

QColor fromPlain(Colour colour) {
    return QColor(static_cast<int>(colour & kByteMask),
                  static_cast<int>((colour >> kGreenShift) & kByteMask),
                  static_cast<int>((colour >> kBlueShift) & kByteMask));
}

}  // namespace

QColor toQColor(Colour colour, const QWidget& widget) {
    // Only a system colour asks for the palette: the chart asks for its colours at every tick,
    // and a widget's palette is settled against the active window each time it is asked.
    if (colour::isSystem(colour)) return widget.palette().color(systemRole(colour));
    return fromPlain(colour);
}

Colour plainColour(const QColor& colour) {
    const QRgb rgb = colour.rgb();
    return static_cast<Colour>(qRed(rgb)) | static_cast<Colour>(qGreen(rgb)) << kGreenShift |
           static_cast<Colour>(qBlue(rgb)) << kBlueShift;
}

QColor readableOn(const QColor& background, const QColor& preferred) {
    const Colour preferredColour = plainColour(preferred);
    const Colour chosen = colour::readableOn(plainColour(background), preferredColour);
    // The preferred colour itself, alpha and all, when it reads.
    return chosen == preferredColour ? preferred : fromPlain(chosen);
}

}  // namespace zarnel::qt
