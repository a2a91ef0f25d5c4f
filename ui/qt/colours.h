// The window's stored colours (00BBGGRR, or a system colour with the top bit set) as Qt colours.
#pragma once

#include <QColor>

#include "window/controls.h"

class QPalette;

namespace zarnel::qt {

QColor toQColor(Colour colour, const QPalette& palette);

}  // namespace zarnel::qt
