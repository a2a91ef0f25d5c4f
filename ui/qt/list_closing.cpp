#include "ui/qt/list_closing.h"

#include <QAbstractItemView>
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

}  // namespace

std::function<void()> whenListClosed(QComboBox& list, std::function<void()> work) {
    auto waiting = std::make_shared<bool>(false);
    // The popup's frame, made with the view: it is what shows and hides.
    QWidget* popup = list.view()->window();
    popup->installEventFilter(new PopupHidden(&list, [work, waiting] {
        if (std::exchange(*waiting, false)) work();
    }));
    return [&list, work = std::move(work), waiting] {
        if (list.view()->isVisible()) {
            *waiting = true;
        } else {
            work();
        }
    };
}

}  // namespace zarnel::qt
