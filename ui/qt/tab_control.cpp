#include "ui/qt/tab_control.h"

#include <QKeySequence>
#include <QPainter>
#include <QShortcut>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>
#include <QWheelEvent>

#include "ui/qt/units.h"
#include "window/layout.h"

namespace zarnel::qt {
namespace {

// Tabs as tall as the designed strip: the style sizes them by the font, and a face with a
// tall line (Noto Sans CJK) made them taller than the strip, which cut the captions centred
// in them. The wheel never turns a tab: over the strip of a shrunk window it scrolls the
// window, as it does over the native tab control.
class StripTabBar : public QTabBar {
  public:
    StripTabBar(int height, QWidget* parent) : QTabBar(parent), height_(height) {}

  protected:
    QSize tabSizeHint(int index) const override {
        return {QTabBar::tabSizeHint(index).width(), height_};
    }
    QSize minimumTabSizeHint(int index) const override {
        return {QTabBar::minimumTabSizeHint(index).width(), height_};
    }
    void wheelEvent(QWheelEvent* event) override { event->ignore(); }

  private:
    int height_;
};

}  // namespace

TabControl::TabControl(std::span<const std::string_view> captions, int stripHeight, QWidget* parent)
    : QWidget(parent), bar_(new StripTabBar(stripHeight, this)), stripHeight_(stripHeight) {
    bar_->setExpanding(true);
    bar_->setUsesScrollButtons(false);
    bar_->setElideMode(Qt::ElideNone);
    bar_->setDrawBase(false);
    for (const std::string_view caption : captions) {
        bar_->addTab(toQString(caption));
        auto* page = new QWidget(this);
        page->setVisible(pages_.empty());
        pages_.push_back(page);
    }
    bar_->raise();
    connect(bar_, &QTabBar::currentChanged, this, &TabControl::showPage);
    addTabKeys();
}

void TabControl::addTabKeys() {
    // Shortcuts, not key handling: the slider and the lists would take PageUp and PageDown
    // for themselves before the keys reached us.
    const struct {
        QKeySequence keys;
        int step;
    } tabKeys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
        // Matched as typed: the Backtab that Shift+Tab arrives as also matches Shift+Tab, but
        // a keyboard's Ctrl+Shift+Tab never matches a Backtab sequence.
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1},
    };
    for (const auto& [keys, step] : tabKeys) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this,
                [this, by = step] { setCurrentIndex(layout::turnedTab(currentIndex(), by)); });
    }
}

QWidget* TabControl::page(int index) const {
    return pages_.at(static_cast<std::size_t>(index));
}

int TabControl::currentIndex() const {
    return bar_->currentIndex();
}

void TabControl::setCurrentIndex(int index) {
    bar_->setCurrentIndex(index);
}

void TabControl::showPage(int index) {
    const int previous = shown_;
    pages_.at(static_cast<std::size_t>(previous))->hide();
    pages_.at(static_cast<std::size_t>(index))->show();
    shown_ = index;
    emit tabSelected(previous);
}

void TabControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    bar_->setGeometry(0, 0, width(), stripHeight_);
    for (QWidget* page : pages_) page->setGeometry(rect());
}

void TabControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = rect().adjusted(0, stripHeight_ - 1, 0, 0);
    frame.shape = QTabBar::RoundedNorth;
    frame.tabBarSize = QSize(width(), stripHeight_);
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);
}

}  // namespace zarnel::qt
