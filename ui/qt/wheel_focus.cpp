#include "ui/qt/wheel_focus.h"

#include <QEvent>

namespace zarnel::qt {
namespace {

class WheelWithFocusOnly : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Wheel) return false;
        const auto* choice = qobject_cast<QWidget*>(watched);
        if (!choice || choice->hasFocus()) return false;
        // Left untaken, the turn goes on to the scroll area holding the choice.
        event->ignore();
        return true;
    }
};

}  // namespace

void takeTheWheelOnlyWithFocus(QWidget& choice) {
    // A wheel's turn would otherwise give it the focus first.
    if (choice.focusPolicy() == Qt::WheelFocus) choice.setFocusPolicy(Qt::StrongFocus);
    choice.installEventFilter(new WheelWithFocusOnly(&choice));
}

}  // namespace zarnel::qt
