#include "ui/qt/accessible_names.h"

#include <QAccessible>
#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>

#include "ui/qt/accessible_tree.h"
#include "ui/qt/picture_box.h"
#include "ui/qt/qt_controls.h"
#include "ui/qt/units.h"
#include "window/field_names.h"
#include "window/figure_news.h"
#include "window/graph_descriptions.h"

namespace zarnel::qt {
namespace {

using enum Ctl;

// Tells a screen reader following the figures of each one that changed and can be seen,
// looked at with the ticks that change them and at most once a second.
class FigureAnnouncer : public QObject {
  public:
    explicit FigureAnnouncer(QtControls& controls)
        : QObject(&controls.timer()), controls_(controls) {
        clock_.start();
        QObject::connect(&controls.timer(), &QTimer::timeout, this, [this] { ticked(); });
    }

  private:
    void ticked() {
        // Only while something listens: the summaries read every label of the time axis.
        if (!QAccessible::isActive()) return;
        const auto onScreen = [this](Ctl figure) {
            const QWidget* widget = controls_.widget(figure);
            return widget->isVisible() && !widget->window()->isMinimized();
        };
        for (const Ctl figure : news_.news(controls_, clock_.elapsed(), onScreen)) {
            QAccessibleEvent event(controls_.widget(figure), QAccessible::NameChanged);
            QAccessible::updateAccessibility(&event);
        }
    }

    QtControls& controls_;
    QElapsedTimer clock_;
    FigureNews news_;
};

void nameFields(const QtControls& controls) {
    for (const FieldNamer& entry : fieldNamers()) {
        QWidget* field = controls.widget(entry.field);
        field->setAccessibleName(toQString(fieldName(controls, entry)));
        // The label's buddy is what a screen reader follows as "labelled by"; a label has
        // one buddy, so a row's second field goes by its name alone.
        auto* label = qobject_cast<QLabel*>(controls.widget(entry.namer));
        if (label && !label->buddy()) label->setBuddy(field);
    }
}

void shapeGraph(QtControls& controls) {
    const QtControls* source = &controls;
    PictureBox& pie = controls.pictureBox(Picture4);
    shapeAccessible(pie, AccessibleShape::Summary,
                    [source] { return toQString(pieSummary(*source)); });
    PictureBox& graph = controls.pictureBox(Picture1);
    shapeAccessible(graph, AccessibleShape::Summary,
                    [source] { return toQString(lineGraphSummary(*source)); });
    shapeAccessible(*graph.surface(), AccessibleShape::DecorationHost);
    shapeAccessible(*controls.widget(Frame9), AccessibleShape::DecorationHost);
    shapeAccessible(*controls.widget(Picture2), AccessibleShape::Decoration);
    shapeAccessible(*controls.widget(Picture3), AccessibleShape::Decoration);
    shapeAccessible(*controls.widget(lblX), AccessibleShape::Summary,
                    [source] { return toQString(timeAxisSummary(*source)); });
    shapeAccessible(*controls.widget(lblY), AccessibleShape::Summary,
                    [source] { return toQString(memoryAxisSummary(*source)); });

    // A label with no name of its own announces each new caption. The axes' first labels, which
    // the chart renumbers at every step, are named (their summaries are what a reader hears) so
    // that only the announcer tells of them.
    controls.widget(lblX)->setAccessibleName(toQString(kTimeAxisName));
    controls.widget(lblY)->setAccessibleName(toQString(kMemoryAxisName));
    new FigureAnnouncer(controls);
}

}  // namespace

void nameForScreenReaders(QtControls& controls) {
    nameFields(controls);
    shapeGraph(controls);
}

}  // namespace zarnel::qt
