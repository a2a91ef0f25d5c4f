// The window's tests measure it as a plain desktop shows it: a developer's desktop passes its
// scaling, font density and theme to every Qt program through the environment, and each would
// move or resize what the tests measure.
#pragma once

#include <QtGlobal>

namespace zarnel::testing {

inline void clearDesktopQtSettings() {
    for (const char* name :
         {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_AUTO_SCREEN_SCALE_FACTOR",
          "QT_ENABLE_HIGHDPI_SCALING", "QT_SCALE_FACTOR_ROUNDING_POLICY", "QT_USE_PHYSICAL_DPI",
          "QT_FONT_DPI", "QT_QPA_PLATFORMTHEME", "QT_STYLE_OVERRIDE"}) {
        qunsetenv(name);
    }
}

}  // namespace zarnel::testing
