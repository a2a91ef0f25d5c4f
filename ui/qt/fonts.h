// The window's two faces: the default Japanese Gothic and the frame caption face, both
// resolved by font substitution to whichever Japanese Gothic is installed.
#pragma once

#include <QFont>

namespace zarnel::qt {

// Registers the substitutions; call once after the application object exists.
void installFontSubstitutions();
QFont defaultFont();
QFont frameCaptionFont();

}  // namespace zarnel::qt
