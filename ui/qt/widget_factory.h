// One widget per kind of control, dressed as its layout row says (font, colours, alignment,
// initial text and entries). Position, visibility and focus order are the caller's.
#pragma once

#include "window/layout.h"

class QWidget;

namespace zarnel::qt {

// Creates the widget of a row that has one (not the window, its menu items or the timer).
QWidget* createWidget(const LayoutRow& row, QWidget* parent);
void applyBackColour(QWidget* widget, Colour colour);
void applyAlignment(QWidget* widget, Align align);

}  // namespace zarnel::qt
