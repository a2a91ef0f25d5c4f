#include "ui/qt/accessible_tree.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>
#include <stdexcept>
#include <utility>

namespace zarnel::qt {
namespace {

// Lives as a child of the widget it shapes, so it goes when the widget goes.
class ShapeTag : public QObject {
    Q_OBJECT

  public:
    ShapeTag(QWidget& widget, AccessibleShape shape, SummaryText text)
        : QObject(&widget), shape_(shape), text_(std::move(text)) {}

    AccessibleShape shape() const { return shape_; }
    QString text() const { return text_ ? text_() : QString(); }

  private:
    AccessibleShape shape_;
    SummaryText text_;
};

const ShapeTag* tagOf(const QObject& object) {
    return object.findChild<ShapeTag*>(QString(), Qt::FindDirectChildrenOnly);
}

// Not part of the tree: Qt still asks for an interface when such a widget changes, and an
// invalid one makes the bridge drop the event instead of announcing an object no parent lists.
class HiddenDecoration : public QAccessibleWidget {
  public:
    explicit HiddenDecoration(QWidget* widget) : QAccessibleWidget(widget) {}
    bool isValid() const override { return false; }
};

// Lists the container's widget children without the decoration ones.
class DecorationHost : public QAccessibleWidget {
  public:
    explicit DecorationHost(QWidget* widget)
        : QAccessibleWidget(widget, qobject_cast<QGroupBox*>(widget) ? QAccessible::Grouping
                                                                     : QAccessible::Client) {}

    int childCount() const override { return static_cast<int>(members().size()); }
    QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> list = members();
        if (index < 0 || index >= list.size()) return nullptr;
        return QAccessible::queryAccessibleInterface(list.at(index));
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return static_cast<int>(members().indexOf(qobject_cast<QWidget*>(child->object())));
    }
    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name)
            if (auto* frame = qobject_cast<QGroupBox*>(widget())) return frame->title();
        return QAccessibleWidget::text(kind);
    }

  private:
    QList<QWidget*> members() const {
        QList<QWidget*> list;
        for (QObject* child : widget()->children()) {
            auto* member = qobject_cast<QWidget*>(child);
            if (member && !member->isWindow() && !isDecoration(*member)) list.append(member);
        }
        return list;
    }
};

// A figure or an axis read as one object: a chart, or static text for a row of labels.
class Summary : public QAccessibleWidget {
  public:
    Summary(QWidget* widget, const ShapeTag& tag)
        : QAccessibleWidget(
              widget, qobject_cast<QLabel*>(widget) ? QAccessible::StaticText : QAccessible::Chart),
          tag_(tag) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name) return tag_.text();
        return QAccessibleWidget::text(kind);
    }

  private:
    const ShapeTag& tag_;
};

QAccessibleInterface* shapedInterface(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    const ShapeTag* tag = widget ? tagOf(*widget) : nullptr;
    if (!tag) return nullptr;
    switch (tag->shape()) {
        case AccessibleShape::Decoration:
            return new HiddenDecoration(widget);
        case AccessibleShape::DecorationHost:
            return new DecorationHost(widget);
        case AccessibleShape::Summary:
            return new Summary(widget, *tag);
    }
    return nullptr;
}

}  // namespace

void shapeAccessible(QWidget& widget, AccessibleShape shape, SummaryText text) {
    static const bool installed = [] {
        QAccessible::installFactory(shapedInterface);
        return true;
    }();
    Q_UNUSED(installed);
    if (tagOf(widget)) throw std::logic_error("a widget is shaped once");
    // Qt may have made and kept a plain interface already (a label announces its caption as
    // it is built): drop it, so that the next one asked for is shaped.
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(&widget))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    new ShapeTag(widget, shape, std::move(text));
}

void shapeLikeFirstElement(const QWidget& first, QWidget& copy) {
    if (tagOf(first)) shapeAccessible(copy, AccessibleShape::Decoration);
}

bool isDecoration(const QWidget& widget) {
    const ShapeTag* tag = tagOf(widget);
    return tag && tag->shape() == AccessibleShape::Decoration;
}

}  // namespace zarnel::qt

#include "accessible_tree.moc"
