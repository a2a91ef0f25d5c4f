// How the window reads in the accessibility tree (what a screen reader walks). Widgets are
// shaped by a small object attached to them, so the tree follows control arrays created at
// run time without any registry.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QWidget;

namespace zarnel::qt {

enum class AccessibleShape {
    // Drawn decoration (grid lines, the spare axis labels): not in the tree at all.
    Decoration,
    // A container whose decoration children are left out of its child list.
    DecorationHost,
    // One object that says in words what a figure or a row of labels shows now.
    Summary,
};

// The name a Summary reads out, computed when asked, so it is always what the window shows.
using SummaryText = std::function<QString()>;

// Gives `widget` its shape (a Summary needs its text), once. Installs the interface factory
// the first time. Call before the widget is first shown: Qt keeps an interface once made.
void shapeAccessible(QWidget& widget, AccessibleShape shape, SummaryText text = {});
// A new element of a control array: decoration when element 0 is decoration or stands for
// the whole array.
void shapeLikeFirstElement(const QWidget& first, QWidget& copy);
bool isDecoration(const QWidget& widget);

}  // namespace zarnel::qt
