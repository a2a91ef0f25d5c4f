#include "ui/qt/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QIcon>
#include <QLayout>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTimer>
#include <algorithm>

#include "ui/qt/fonts.h"

// The icons are linked into a static library: its resources need registering by hand, from
// outside any namespace.
static void registerIconResources() {
    Q_INIT_RESOURCE(zarnel_icons);
}

namespace zarnel::qt {
namespace {

// The largest icon the window carries itself. Launchers and task switchers take the larger
// ones from the installed icon theme; in the window's own icon property a 256-pixel image is
// 256 KB sent to the display at every start, and decoding it was 5% of start-up.
constexpr int kLargestWindowIcon = 128;

// Every rendered size up to that, so that each place the icon is shown picks a sharp one.
QIcon applicationIcon() {
    registerIconResources();
    QIcon icon;
    for (const QFileInfo& file : QDir(QStringLiteral(":/icons")).entryInfoList(QDir::Files)) {
        // Named zarnel-SIZE.png by the build.
        const int size = file.completeBaseName().section(QLatin1Char('-'), -1).toInt();
        if (size > 0 && size <= kLargestWindowIcon)
            icon.addFile(file.filePath(), QSize(size, size));
    }
    return icon;
}

}  // namespace

MainWindow::MainWindow() : client_(new QWidget(this)) {
    // The menu bar stays in the window. A desktop's global menu takes only menus with items,
    // so it would drop both of ours, which are plain items, and its registrar is asked while
    // the bar is made: one that never answers would hold the window's start for over a minute.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    // The window's own face, not the application's: a desktop's theme plug-in may set its font
    // on the application once the window stands, and every control inheriting it would grow
    // out of its place.
    setFont(defaultFont());
    setCentralWidget(client_);
}

void MainWindow::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    // The icon's images are decoded once the window's first picture is on its way: the window
    // manager shows the icon from then on, and the figures are not kept waiting for it.
    if (!iconSet_) {
        iconSet_ = true;
        QTimer::singleShot(0, this, [this] { setWindowIcon(applicationIcon()); });
    }
}

void MainWindow::setClientSize(QSize size) {
    clientSize_ = size;
    if (scroller_) client_->setMinimumSize(size);
    // The menu bar's height is known once the window's own layout has run.
    layout()->activate();
    QSize whole(size.width(), size.height() + height() - centralWidget()->height());
    // No larger than the screen's free area: at 150 % a 720-line screen is shorter than the
    // window, whose bottom would be out of reach. The client then scrolls, and the window is
    // wider by the scroll bar, where the screen has the room. (With no screen at all, as while
    // every monitor is off, there is nothing to fit.)
    if (const QScreen* shownOn = screen()) {
        const QSize room = shownOn->availableGeometry().size();
        if (whole.height() > room.height()) whole.rwidth() += scrollBarWidth();
        whole = whole.boundedTo(room);
    }
    resize(whole);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (scroller_ || !clientSize_.isValid()) return;
    const QSize room = centralWidget()->size();
    if (room.width() >= clientSize_.width() && room.height() >= clientSize_.height()) return;
    scrollClient();
    // Made only shorter (a window manager fitting the window and its title bar to the screen),
    // the window widens by the vertical bar where the screen has the room: the bar would
    // otherwise cover the client's right edge and bring a horizontal one.
    const int missing = clientSize_.width() + scrollBarWidth() - room.width();
    if (room.width() < clientSize_.width() || missing <= 0) return;
    int wider = width() + missing;
    if (const QScreen* shownOn = screen())
        wider = std::min(wider, shownOn->availableGeometry().width());
    if (wider > width()) resize(wider, height());
}

int MainWindow::scrollBarWidth() const {
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
}

void MainWindow::scrollClient() {
    // Taking the client out of the window drops the focus from whichever of its controls had
    // it: that control gets it back.
    QWidget* focused = QApplication::focusWidget();
    if (focused && !client_->isAncestorOf(focused)) focused = nullptr;
    scroller_ = new QScrollArea(this);
    scroller_->setFrameShape(QFrame::NoFrame);
    // Not a stop of its own on the way round the controls with Tab.
    scroller_->setFocusPolicy(Qt::NoFocus);
    // The client follows a larger window as before, and stops shrinking at its own size.
    scroller_->setWidgetResizable(true);
    client_->setMinimumSize(clientSize_);
    takeCentralWidget();
    scroller_->setWidget(client_);
    setCentralWidget(scroller_);
    if (focused) focused->setFocus();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (closeHandlers_) emit closeRequested(event);
}

}  // namespace zarnel::qt
