#include "tools/form-dump/modal_closer.h"

#include <QApplication>
#include <QMessageBox>

namespace zarnel::tools {
namespace {

constexpr int kPollMilliseconds = 20;

QString iconName(QMessageBox::Icon icon) {
    switch (icon) {
        case QMessageBox::Information:
            return QStringLiteral("information");
        case QMessageBox::Critical:
            return QStringLiteral("critical");
        case QMessageBox::Warning:
            return QStringLiteral("warning");
        case QMessageBox::Question:
            return QStringLiteral("question");
        case QMessageBox::NoIcon:
            break;
    }
    return QStringLiteral("none");
}

}  // namespace

ModalCloser::ModalCloser() {
    connect(&poll_, &QTimer::timeout, this, &ModalCloser::closeActive);
    poll_.start(kPollMilliseconds);
}

void ModalCloser::closeActive() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        seen_.push_back({box->windowTitle(), box->text(), iconName(box->icon())});
        box->accept();
        return;
    }
    modal->close();
}

}  // namespace zarnel::tools
