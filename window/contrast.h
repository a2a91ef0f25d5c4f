// Text colours that stay readable on a fixed background whatever the desktop's theme: the
// window's white, red and cyan boxes keep their colours in a dark theme, and a picture box
// keeps its face in a high-contrast one, where the theme's text on them would vanish.
#pragma once

#include "window/controls.h"

namespace zarnel::colour {

// The WCAG contrast ratio of two plain colours (00BBGGRR), from 1 (equal) to 21 (black on
// white).
double contrastRatio(Colour a, Colour b);
// `preferred` if it reads on `background` with at least 4.5:1, else black or white,
// whichever reads better. Both are plain colours.
Colour readableOn(Colour background, Colour preferred);

}  // namespace zarnel::colour
