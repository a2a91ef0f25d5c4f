#include "ui/qt/fonts.h"

#include <QFontMetrics>
#include <QStringList>
#include <QWidget>

#include "ui/qt/units.h"
#include "window/layout.h"

namespace zarnel::qt {
namespace {

// Our own family name for the default face, mapped like the frame face.
const QString kDefaultFamily = QStringLiteral("zarnel-gothic");
constexpr double kDefaultPoints = 9;

QStringList gothicFaces() {
    return {QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP"),
            QStringLiteral("VL PGothic")};
}

}  // namespace

void installFontSubstitutions() {
    QFont::insertSubstitutions(toQString(layout::kFrameFontFace), gothicFaces());
    QFont::insertSubstitutions(kDefaultFamily, gothicFaces());
}

QFont defaultFont() {
    // Resolved once: every changed field text of every tick measures against it.
    static const QFont font = [] {
        QFont face(kDefaultFamily);
        face.setPointSizeF(kDefaultPoints);
        return face;
    }();
    return font;
}

QFont frameCaptionFont() {
    QFont font(toQString(layout::kFrameFontFace));
    font.setPointSizeF(layout::kFrameFontPoints);
    font.setWeight(static_cast<QFont::Weight>(layout::kFrameFontWeight));
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

}  // namespace zarnel::qt

namespace zarnel::qt {
namespace {

constexpr double kSmallestPointSize = 4.0;
constexpr double kPointStep = 0.5;

}  // namespace

void fitFontToWidth(QWidget& field, const QString& text, int width) {
    QFont font = defaultFont();
    while (QFontMetrics(font).horizontalAdvance(text) > width &&
           font.pointSizeF() - kPointStep >= kSmallestPointSize) {
        font.setPointSizeF(font.pointSizeF() - kPointStep);
    }
    if (font != field.font()) field.setFont(font);
}

}  // namespace zarnel::qt
