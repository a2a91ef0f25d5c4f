#include "ui/qt/accessible_names.h"

#include <QAccessible>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QTimer>
#include <array>

#include "ui/qt/accessible_tree.h"
#include "ui/qt/graph_descriptions.h"
#include "ui/qt/picture_box.h"
#include "ui/qt/qt_controls.h"
#include "ui/qt/units.h"

namespace zarnel::qt {
namespace {

using enum Ctl;

// Who names a control: the label in front of it, the frame around it, or the menu item its
// address belongs to; `detail` tells apart two fields that share one row label.
struct NamedBy {
    Ctl control;
    Ctl namer;
    const char* detail = nullptr;
};

constexpr std::array kNames = {
    // Memory figures and the pie's legend.
    NamedBy{Text23, Label23},
    NamedBy{Text24, Label25},
    NamedBy{Text25, Label26},
    NamedBy{Text26, Label27},
    NamedBy{Text27, Label31},
    NamedBy{Text28, Label32},
    NamedBy{Slider1, Label28},
    // The PC, power and the taskbar.
    NamedBy{Text1, Label1},
    NamedBy{Text2, Label2},
    NamedBy{Text13, Label11},
    NamedBy{Text14, Label12},
    NamedBy{Text11, Label7},
    NamedBy{Text12, Label9},
    NamedBy{Text3, Label3},
    NamedBy{Text4, Label6, "状態"},
    NamedBy{Text5, Label6, "残量"},
    NamedBy{Text6, Label8, "残留"},
    NamedBy{Text7, Label8, "完全充電"},
    NamedBy{Text9, Label4},
    NamedBy{Text10, Label5},
    // The disk and the special folders.
    NamedBy{Drive1, Label13},
    NamedBy{Text15, Label14},
    NamedBy{Text17, Label16},
    NamedBy{Text16, Label15},
    NamedBy{Text18, Label17},
    NamedBy{Text19, Label18},
    NamedBy{Text20, Label19},
    NamedBy{Text21, Label21},
    NamedBy{Text22, Label22},
    NamedBy{List4, Label20},
    NamedBy{Combo1, Frame4},
    NamedBy{Text8, Frame4},
    // The hardware lists, and the two hidden addresses behind the menu.
    NamedBy{List2, Frame6},
    NamedBy{List3, Frame7},
    NamedBy{Text30, book},
    NamedBy{Text29, game},
};

// A summary is re-read at most once a second: the graph changes at every tick, and a screen
// reader told of each change would never finish a sentence.
constexpr int kAnnouncePeriodMs = 1000;

class SummaryAnnouncer : public QObject {
  public:
    explicit SummaryAnnouncer(QWidget& figure) : QObject(&figure), figure_(figure) {
        quiet_.setSingleShot(true);
        quiet_.setInterval(kAnnouncePeriodMs);
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

QString nameOf(const QtControls& controls, Ctl namer) {
    if (namer == book || namer == game) return controls.menuItem(namer).text();
    QWidget* widget = controls.widget(namer);
    if (auto* frame = qobject_cast<QGroupBox*>(widget)) return frame->title();
    return qobject_cast<QLabel*>(widget)->text();
}

void nameFields(const QtControls& controls) {
    for (const NamedBy& entry : kNames) {
        QWidget* field = controls.widget(entry.control);
        QString name = nameOf(controls, entry.namer);
        if (entry.detail) name += QStringLiteral(" ") + QString::fromUtf8(entry.detail);
        field->setAccessibleName(name);
        // The label's buddy is what a screen reader follows as "labelled by"; a label has
        // one buddy, so a row's second field goes by its name alone.
        auto* label = qobject_cast<QLabel*>(controls.widget(entry.namer));
        if (label && !label->buddy()) label->setBuddy(field);
    }
}

QStringList captions(const QtControls& controls, Ctl array) {
    QStringList texts;
    for (const int index : controls.indices(array))
        if (controls.visible(array, index)) texts << toQString(controls.text(array, index));
    return texts;
}

void shapeGraph(QtControls& controls) {
    const QtControls* source = &controls;
    PictureBox& pie = controls.pictureBox(Picture4);
    shapeAccessible(pie, AccessibleShape::Summary, [source] {
        return pieSummary(toQString(source->text(Text27)), toQString(source->text(Text28)));
    });
    PictureBox& graph = controls.pictureBox(Picture1);
    shapeAccessible(graph, AccessibleShape::Summary, [source] {
        return lineGraphSummary(toQString(source->text(Text24)), captions(*source, lblX));
    });
    shapeAccessible(*graph.surface(), AccessibleShape::DecorationHost);
    shapeAccessible(*controls.widget(Frame9), AccessibleShape::DecorationHost);
    shapeAccessible(*controls.widget(Picture2), AccessibleShape::Decoration);
    shapeAccessible(*controls.widget(Picture3), AccessibleShape::Decoration);
    shapeAccessible(*controls.widget(lblX), AccessibleShape::Summary, [source] {
        return axisSummary(QStringLiteral("時間軸"), captions(*source, lblX));
    });
    shapeAccessible(*controls.widget(lblY), AccessibleShape::Summary, [source] {
        return axisSummary(QStringLiteral("メモリ軸 (MB)"), captions(*source, lblY));
    });

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
