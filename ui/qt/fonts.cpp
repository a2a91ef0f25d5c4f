#include "ui/qt/fonts.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "ui/qt/units.h"
#include "window/layout.h"

namespace zarnel::qt {
namespace {

// Our own family name for the default face, mapped like the frame face.
const QString kDefaultFamily = QStringLiteral("zarnel-gothic");
constexpr double kDefaultPoints = 9;
// Figures, kana and kanji need no shaping: their characters map straight to glyphs, at a
// fraction of what a shaped layout costs, and every tick lays out the figures that changed.
// Scripts that do need shaping are shaped all the same.
constexpr QFont::StyleStrategy kWithoutShaping = QFont::PreferNoShaping;
// Slight hinting only nudges a glyph's rows, which at these sizes hardly shows, yet passing each
// glyph through the hinter took more of start-up than all the rest of its glyph work.
constexpr QFont::HintingPreference kUnhinted = QFont::PreferNoHinting;

QStringList gothicFaces() {
    return {QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP"),
            QStringLiteral("VL PGothic")};
}

// The installed face a family name stands for: the name itself when installed, else the first
// installed Japanese Gothic, else the name (resolved by its substitutions). Naming the face
// itself spares start-up fontconfig's fallback search (1 M instructions for each script of the
// captions) for the name as well as for the face it stands for.
QString installedFace(const QString& family) {
    static const QStringList installed = QFontDatabase::families();
    if (installed.contains(family)) return family;
    // Under a Japanese locale the faces are listed by their Japanese names ("IPA Pゴシック"),
    // and their own names are known as aliases of them. The family asked for is not looked up
    // so: a desktop's font rules may make it an alias of an installed face, and an alias is
    // what costs the search.
    for (const QString& face : gothicFaces()) {
        if (installed.contains(face) || QFontDatabase::hasFamily(face)) return face;
    }
    return family;
}

}  // namespace

void installFontSubstitutions() {
    QFont::insertSubstitutions(toQString(layout::kFrameFontFace), gothicFaces());
    QFont::insertSubstitutions(kDefaultFamily, gothicFaces());
}

QFont defaultFont() {
    // Resolved once: every changed field text of every tick measures against it.
    static const QFont font = [] {
        QFont face(installedFace(kDefaultFamily));
        face.setPointSizeF(kDefaultPoints);
        face.setStyleStrategy(kWithoutShaping);
        face.setHintingPreference(kUnhinted);
        return face;
    }();
    return font;
}

QFont frameCaptionFont() {
    QFont font(installedFace(toQString(layout::kFrameFontFace)));
    font.setStyleStrategy(kWithoutShaping);
    font.setHintingPreference(kUnhinted);
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
    const double full = font.pointSizeF();
    const auto fits = [&text, width](const QFont& face) {
        return QFontMetrics(face).horizontalAdvance(text) <= width;
    };
    const int advance = QFontMetrics(font).horizontalAdvance(text);
    if (advance > width && advance > 0) {
        // The largest size in half-point steps below the full one that fits. Text widens with
        // its size, so start from the size that scales it to the width and settle from there:
        // each size tried loads a font, and stepping down from the full size took a dozen.
        const auto stepsDown = [full](double points) {
            return static_cast<int>(std::ceil((full - points) / kPointStep));
        };
        // Whole steps only: a usual size off the half-point grid must not step past the floor.
        const int lowest = static_cast<int>(std::floor((full - kSmallestPointSize) / kPointStep));
        const double scaled = full * std::max(width, 0) / advance;
        int steps = std::clamp(stepsDown(scaled), 1, lowest);
        const auto sized = [&font, full](int down) {
            font.setPointSizeF(full - down * kPointStep);
            return font;
        };
        while (steps > 1 && fits(sized(steps - 1))) --steps;
        while (steps < lowest && !fits(sized(steps))) ++steps;
        sized(steps);
    }
    useFont(field, font);
}

void fitFontToLines(QWidget& field, int lines, int height) {
    QFont font = defaultFont();
    const double full = font.pointSizeF();
    for (int down = 1; lines * QFontMetrics(font).lineSpacing() > height; ++down) {
        const double points = full - down * kPointStep;
        if (points < kSmallestPointSize) break;
        font.setPointSizeF(points);
    }
    useFont(field, font);
}

void useFont(QWidget& widget, const QFont& font) {
    if (font != widget.font()) widget.setFont(font);
}

}  // namespace zarnel::qt
