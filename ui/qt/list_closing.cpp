#include "ui/qt/list_closing.h"

#include <QEvent>
#include <memory>
#include <utility>

namespace zarnel::qt {
namespace {

class PopupHidden : public QObject {
  public:
    PopupHidden(QObject* owner, std::function<void()> hidden)
        : QObject(owner), hidden_(std::move(hidden)) {}

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        // Queued: the combo box hides its popup before it takes the entry picked there, and
        // the work must find that pick made.
        if (event->type() == QEvent::Hide) {
            QMetaObject::invokeMethod(parent(), hidden_, Qt::QueuedConnection);
        }
        return false;
    }

  private:
    std::function<void()> hidden_;
};

// The list's popup when it is open, else none. Looked for among the list's children rather than
// asked of the list, which would make the popup: a list never opened has none, and making one
// for every start-up would cost the first paint.
QWidget* openPopup(const QComboBox& list) {
    for (QWidget* child : list.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow() && child->isVisible()) return child;
    }
    return nullptr;
}

}  // namespace

std::function<void()> whenListClosed(QComboBox& list, std::function<void()> work) {
    auto waiting = std::make_shared<bool>(false);
    auto watched = std::make_shared<const QWidget*>(nullptr);
    return [&list, work = std::move(work), waiting, watched] {
        QWidget* popup = openPopup(list);
        if (!popup) {
            work();
            return;
        }
        if (*watched != popup) {
            popup->installEventFilter(new PopupHidden(&list, [work, waiting] {
                if (std::exchange(*waiting, false)) work();
            }));
            *watched = popup;
        }
        *waiting = true;
    };
}

}  // namespace zarnel::qt
