#include "ui/qt/appearance.h"

#include <QApplication>

#include "ui/qt/fonts.h"
#include "ui/qt/window_style.h"

namespace zarnel::qt {

void applyAppearance() {
    installWindowStyle();
    installFontSubstitutions();
    QApplication::setFont(defaultFont());
}

}  // namespace zarnel::qt
