#include "ui/qt/appearance.h"

#include <QApplication>

#include "ui/qt/fonts.h"

namespace zarnel::qt {

void applyAppearance() {
    installFontSubstitutions();
    QApplication::setFont(defaultFont());
}

}  // namespace zarnel::qt
