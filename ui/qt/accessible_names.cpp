#include "ui/qt/accessible_names.h"

#include <QAccessible>
#include <QLabel>
#include <QTimer>

#include "ui/qt/accessible_tree.h"
#include "ui/qt/picture_box.h"
#include "ui/qt/qt_controls.h"
#include "ui/qt/units.h"
#include "window/field_names.h"
#include "window/graph_descriptions.h"

namespace zarnel::qt {
namespace {

using enum Ctl;

class SummaryAnnouncer : public QObject {
  public:
    explicit SummaryAnnouncer(QWidget& figure) : QObject(&figure), figure_(figure) {
        quiet_.setSingleShot(true);
        quiet_.setInterval(kSummaryPeriodMs);
        QObject::connect(&quiet_, &QTimer::timeout, this, [this] {
            if (!pending_) return;
            pending_ = false;
            announce();
        });
    }

    // The figure may have changed: tell now, or once the quiet second is over.
    void changed() {
        if (!QAccessible::isActive()) return;
        if (quiet_.isActive()) {
            pending_ = true;
            return;
        }
        announce();
    }

  private:
    void announce() {
        QAccessibleEvent event(&figure_, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
        quiet_.start();
    }

    QWidget& figure_;
    QTimer quiet_;
    bool pending_ = false;
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

    auto* pieNews = new SummaryAnnouncer(pie);
    auto* graphNews = new SummaryAnnouncer(graph);
    QObject::connect(&controls.timer(), &QTimer::timeout, pieNews, [pieNews, graphNews] {
        pieNews->changed();
        graphNews->changed();
    });
}

}  // namespace

void nameForScreenReaders(QtControls& controls) {
    nameFields(controls);
    shapeGraph(controls);
}

}  // namespace zarnel::qt
