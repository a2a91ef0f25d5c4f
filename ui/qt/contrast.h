// Text colours that stay readable on a fixed background whatever the desktop's theme: the
// window's white and red and cyan boxes keep their colours in a dark theme, and its light
// text on them would vanish.
#pragma once

#include <QColor>

namespace zarnel::qt {

// The WCAG contrast ratio of two colours, from 1 (equal) to 21 (black on white).
double contrastRatio(const QColor& a, const QColor& b);
// `preferred` if it reads on `background` with at least 4.5:1, else black or white,
// whichever reads better.
QColor readableOn(const QColor& background, const QColor& preferred);

}  // namespace zarnel::qt
