// The window's stored colours (00BBGGRR, or a system colour with the top bit set) as Qt colours.
#pragma once

#include <QColor>

#include "window/controls.h"

class QWidget;

namespace zarnel::qt {

// A system colour comes from `widget`'s palette; any other is the colour itself.
QColor toQColor(Colour colour, const QWidget& widget);

}  // namespace zarnel::qt
