#include "ui/qt/appearance.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "ui/qt/fonts.h"
#include "ui/qt/window_style.h"

namespace zarnel::qt {
namespace {

// Qt's own texts (a field's copy menu, a scroll bar's menu) in Japanese as the window's are,
// whatever the locale; without the translations installed they stay in English.
void installJapaneseQtTexts() {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QStringLiteral("qtbase_ja"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
    } else {
        delete translator;
    }
}

}  // namespace

void applyAppearance() {
    installWindowStyle();
    installFontSubstitutions();
    QApplication::setFont(defaultFont());
    installJapaneseQtTexts();
}

}  // namespace zarnel::qt
