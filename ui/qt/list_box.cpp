#include "ui/qt/list_box.h"

#include <QKeyEvent>
#include <QScrollBar>

namespace zarnel::qt {

void ListBox::keyPressEvent(QKeyEvent* event) {
    const bool sideways = event->key() == Qt::Key_Left || event->key() == Qt::Key_Right;
    // The keypad's arrows carry the keypad modifier and are the same keys.
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    QScrollBar* bar = horizontalScrollBar();
    if (sideways && plain && bar->maximum() > bar->minimum()) {
        bar->triggerAction(event->key() == Qt::Key_Left ? QAbstractSlider::SliderSingleStepSub
                                                        : QAbstractSlider::SliderSingleStepAdd);
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

}  // namespace zarnel::qt
