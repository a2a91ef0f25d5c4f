// The window's stored colours (00BBGGRR, or a system colour with the top bit set) as Qt colours.
#pragma once

#include <QColor>

#include "window/controls.h"

class QWidget;

namespace zarnel::qt {

// A system colour comes from `widget`'s palette; any other is the colour itself.
QColor toQColor(Colour colour, const QWidget& widget);
// A Qt colour as a plain stored colour (00BBGGRR).
Colour plainColour(const QColor& colour);
// `preferred` where it reads on `background`, else black or white (window/contrast.h).
QColor readableOn(const QColor& background, const QColor& preferred);

}  // namespace zarnel::qt
