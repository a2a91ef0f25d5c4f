// The window's two faces: the default Japanese Gothic and the frame caption face, each named
// by whichever Japanese Gothic is installed (the frame face by its own name where installed).
#pragma once

#include <QFont>
#include <QString>

class QWidget;

namespace zarnel::qt {

// Registers the substitutions; call once after the application object exists.
void installFontSubstitutions();
QFont defaultFont();
QFont frameCaptionFont();

// Gives `widget` `font` unless it already shows it, inherited or its own: each setting sends a
// font change, and a combo box answers one by building its drop-down list long before it opens.
void useFont(QWidget& widget, const QFont& font);

}  // namespace zarnel::qt

namespace zarnel::qt {

// Gives `field` the window's default font, made smaller when `text` is wider than `width` pixels at
// that size, so that a long figure in a fixed-size field is never shown cut (a 25 GB machine's
// "25280" in a five-digit-wide axis label would otherwise read as "5280").
void fitFontToWidth(QWidget& field, const QString& text, int width);

// Gives `field` the window's default font, made smaller when `lines` of its lines would be
// taller than `height` pixels: a face with a tall line spacing (Noto's Japanese Gothic) would
// cut the second line of a two-line field in half.
void fitFontToLines(QWidget& field, int lines, int height);

}  // namespace zarnel::qt
