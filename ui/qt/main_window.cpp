#include "ui/qt/main_window.h"

#include <QCloseEvent>
#include <QIcon>
#include <QLayout>
#include <QPixmap>

#include "ui/qt/zarnel_icon.xpm"

namespace zarnel::qt {

MainWindow::MainWindow() : client_(new QWidget(this)) {
    setCentralWidget(client_);
    setWindowIcon(QIcon(QPixmap(zarnel_icon_xpm)));
}

void MainWindow::setClientSize(QSize size) {
    // The menu bar's height is known once the window's own layout has run.
    layout()->activate();
    resize(size.width(), size.height() + height() - client_->height());
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (closeHandlers_) emit closeRequested(event);
}

}  // namespace zarnel::qt
