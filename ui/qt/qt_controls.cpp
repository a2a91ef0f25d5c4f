#include "ui/qt/qt_controls.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QTabBar>
#include <QTimer>
#include <algorithm>
#include <stdexcept>

#include "ui/qt/accessible_names.h"
#include "ui/qt/accessible_tree.h"
#include "ui/qt/fonts.h"
#include "ui/qt/main_window.h"
#include "ui/qt/picture_box.h"
#include "ui/qt/tab_control.h"
#include "ui/qt/units.h"
#include "ui/qt/widget_factory.h"

namespace zarnel::qt {
namespace {

// Qt keeps this many pixels free on each side of a line edit's text, inside its frame.
constexpr int kLineEditSideMargin = 2;

// The pixels a line edit shows its text in.
int textWidth(const QLineEdit& edit) {
    const int frame = edit.hasFrame()
                          ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &edit)
                          : 0;
    const QMargins margins = edit.textMargins();
    return edit.contentsRect().width() - 2 * (frame + kLineEditSideMargin) - margins.left() -
           margins.right();
}

template <typename T>
T& expect(QWidget* widget, Ctl ctl) {
    auto* typed = qobject_cast<T*>(widget);
    if (!typed) throw std::logic_error(std::string(ctlName(ctl)) + " is not of the kind asked");
    return *typed;
}

Geometry designGeometry(const LayoutRow& row) {
    return {static_cast<float>(row.left), static_cast<float>(row.top),
            static_cast<float>(row.width), static_cast<float>(row.height)};
}

// Multi-line text boxes keep Windows line breaks in the logic; Qt wants bare newlines.
QString plainLines(std::string_view text) {
    return toQString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

QtControls::QtControls(MainWindow& window) : window_(window) {
    for (const LayoutRow& row : layoutTable()) build(row);
    // Sized last, once the menu bar holds its items.
    place(elements_.at(Ctl::Form1, 0));
    applyTabOrder();
    nameForScreenReaders(*this);
}

void QtControls::build(const LayoutRow& row) {
    switch (row.kind) {
        case Kind::Window:
            window_.setWindowTitle(toQString(row.caption));
            elements_.add(row.name, 0) = {&window_, designGeometry(row)};
            return;
        case Kind::MenuItem:
            menuItems_[row.name] = window_.menuBar()->addAction(toQString(row.caption));
            return;
        case Kind::Timer:
            timer_ = new QTimer(&window_);
            timer_->setInterval(row.value);
            if (row.enabled) timer_->start();
            return;
        default:
            break;
    }
    QWidget* widget = createWidget(row, parentFor(row));
    if (row.kind == Kind::TabControl) tabs_ = qobject_cast<TabControl*>(widget);
    Element& added = elements_.add(row.name, 0) = {widget, designGeometry(row)};
    place(added);
    // A caption wider than its label in the installed face is drawn smaller, never cut.
    if (auto* label = qobject_cast<QLabel*>(widget))
        fitFontToWidth(*label, label->text(), label->contentsRect().width());
    widget->setVisible(row.visible);
}

QWidget* QtControls::parentFor(const LayoutRow& row) const {
    const Ctl container = row.container.value();
    if (container == Ctl::Form1) return window_.client();
    if (container == Ctl::SSTab1) return tabs_->page(row.tabPage);
    QWidget* holder = widget(container);
    if (auto* box = qobject_cast<PictureBox*>(holder)) return box->surface();
    return holder;
}

void QtControls::applyTabOrder() {
    std::vector<std::pair<int, QWidget*>> order;
    for (const LayoutRow& row : layoutTable()) {
        if (row.tabOrder == kNoTabOrder) continue;
        QWidget* target = widget(row.name);
        if (row.kind == Kind::TabControl) target = tabs_->tabBar();
        // Only focus takers: chaining a container would drag its children along with it.
        if (target->focusPolicy() & Qt::TabFocus) order.emplace_back(row.tabOrder, target);
    }
    std::sort(order.begin(), order.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1].second, order[i].second);
}

QWidget* QtControls::widget(Ctl ctl, int index) const {
    const Element* found = elements_.find(ctl, index);
    return found ? found->widget : nullptr;
}

std::vector<int> QtControls::indices(Ctl ctl) const {
    return elements_.indices(ctl);
}

TabControl& QtControls::tabControl() const {
    return *tabs_;
}

PictureBox& QtControls::pictureBox(Ctl ctl, int index) const {
    return expect<PictureBox>(elements_.at(ctl, index).widget, ctl);
}

QAction& QtControls::menuItem(Ctl ctl) const {
    return *menuItems_.at(ctl);
}

QComboBox& QtControls::comboBox(Ctl ctl) const {
    return expect<QComboBox>(elements_.at(ctl, 0).widget, ctl);
}

QSlider& QtControls::slider() const {
    return expect<QSlider>(elements_.at(Ctl::Slider1, 0).widget, Ctl::Slider1);
}

QPushButton& QtControls::button(Ctl ctl) const {
    return expect<QPushButton>(elements_.at(ctl, 0).widget, ctl);
}

void QtControls::place(Element& target) {
    if (target.widget == &window_) {
        window_.setClientSize(toPixels(target.geometry).size());
        return;
    }
    target.widget->setGeometry(toPixels(target.geometry));
}

void QtControls::fit(Element& target) {
    if (auto* label = qobject_cast<QLabel*>(target.widget)) {
        labelSizes_.fit(*label);
    } else {
        target.widget->adjustSize();
    }
    target.geometry.width = toTwips(target.widget->width());
    target.geometry.height = toTwips(target.widget->height());
}

std::string QtControls::text(Ctl ctl, int index) const {
    if (const auto item = menuItems_.find(ctl); item != menuItems_.end())
        return toStdString(item->second->text());
    QWidget* w = elements_.at(ctl, index).widget;
    if (w == &window_) return toStdString(window_.windowTitle());
    if (auto* label = qobject_cast<QLabel*>(w)) return toStdString(label->text());
    if (auto* edit = qobject_cast<QLineEdit*>(w)) return toStdString(edit->text());
    if (auto* edit = qobject_cast<QPlainTextEdit*>(w)) return toStdString(edit->toPlainText());
    if (auto* frame = qobject_cast<QGroupBox*>(w)) return toStdString(frame->title());
    if (auto* button = qobject_cast<QPushButton*>(w)) return toStdString(button->text());
    if (auto* combo = qobject_cast<QComboBox*>(w)) return toStdString(combo->currentText());
    if (auto* list = qobject_cast<QListWidget*>(w))
        return list->currentItem() ? toStdString(list->currentItem()->text()) : std::string();
    if (auto* tabs = qobject_cast<TabControl*>(w))
        return toStdString(tabs->tabBar()->tabText(tabs->currentIndex()));
    return {};
}

void QtControls::setText(Ctl ctl, std::string_view value, int index) {
    if (const auto item = menuItems_.find(ctl); item != menuItems_.end()) {
        item->second->setText(toQString(value));
        return;
    }
    Element& target = elements_.at(ctl, index);
    QWidget* w = target.widget;
    if (w == &window_) {
        window_.setWindowTitle(toQString(value));
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        // The memory tab rewrites its fields at every tick; an unchanged text costs nothing.
        const QString text = toQString(value);
        if (label->text() == text) return;
        label->setText(text);
        if (target.autoSize) {
            fit(target);
        } else {
            fitFontToWidth(*label, text, label->contentsRect().width());
        }
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        const QString text = toQString(value);
        if (edit->text() == text) return;
        edit->setText(text);
        edit->setCursorPosition(0);
        fitFontToWidth(*edit, text, textWidth(*edit));
    } else if (auto* multi = qobject_cast<QPlainTextEdit*>(w)) {
        // Shown again unchanged (a late answer), the reader's place in it stays.
        const QString text = plainLines(value);
        if (multi->toPlainText() == text) return;
        multi->setPlainText(text);
    } else if (auto* frame = qobject_cast<QGroupBox*>(w)) {
        frame->setTitle(toQString(value));
    } else if (auto* button = qobject_cast<QPushButton*>(w)) {
        button->setText(toQString(value));
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        const QSignalBlocker quiet(combo);
        combo->setCurrentIndex(combo->findText(toQString(value)));
    } else {
        throw std::logic_error(std::string(ctlName(ctl)) + " has no text");
    }
}

void QtControls::addItem(Ctl list, std::string_view entry) {
    QWidget* w = elements_.at(list, 0).widget;
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        const QSignalBlocker quiet(combo);
        combo->addItem(toQString(entry));
        return;
    }
    expect<QListWidget>(w, list).addItem(toQString(entry));
}

void QtControls::clear(Ctl list) {
    QWidget* w = elements_.at(list, 0).widget;
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        const QSignalBlocker quiet(combo);
        combo->clear();
        return;
    }
    expect<QListWidget>(w, list).clear();
}

std::vector<std::string> QtControls::items(Ctl list) const {
    std::vector<std::string> entries;
    QWidget* w = elements_.at(list, 0).widget;
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        for (int i = 0; i < combo->count(); ++i) entries.push_back(toStdString(combo->itemText(i)));
        return entries;
    }
    const auto& box = expect<QListWidget>(w, list);
    for (int i = 0; i < box.count(); ++i) entries.push_back(toStdString(box.item(i)->text()));
    return entries;
}

int QtControls::listIndex(Ctl ctl) const {
    QWidget* w = elements_.at(ctl, 0).widget;
    if (auto* combo = qobject_cast<QComboBox*>(w)) return combo->currentIndex();
    return expect<QListWidget>(w, ctl).currentRow();
}

void QtControls::setListIndex(Ctl ctl, int index) {
    QWidget* w = elements_.at(ctl, 0).widget;
    const QSignalBlocker quiet(w);
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        combo->setCurrentIndex(index);
        return;
    }
    expect<QListWidget>(w, ctl).setCurrentRow(index);
}

void QtControls::setDrives(const std::vector<std::string>& entries, int selected) {
    QComboBox& drives = comboBox(Ctl::Drive1);
    const QSignalBlocker quiet(drives);
    drives.clear();
    for (const std::string& entry : entries) drives.addItem(toQString(entry));
    drives.setCurrentIndex(selected);
}

bool QtControls::timerEnabled() const {
    return timer_->isActive();
}

void QtControls::setTimerEnabled(bool on) {
    if (on) {
        timer_->start();
    } else {
        timer_->stop();
    }
}

int QtControls::timerInterval() const {
    return timer_->interval();
}

void QtControls::setTimerInterval(int milliseconds) {
    timer_->setInterval(milliseconds);
}

int QtControls::sliderValue() const {
    return slider().value();
}

void QtControls::messageBox(std::string_view text, MessageIcon icon, std::string_view title) {
    // Before the window is first shown (the power step's box) Qt would centre the box on the
    // window's unplaced rectangle, the screen's corner, and tie it to a window not on screen.
    QWidget* owner = window_.isVisible() ? &window_ : nullptr;
    QMessageBox box(
        icon == MessageIcon::Information ? QMessageBox::Information : QMessageBox::Critical,
        toQString(title), toQString(text), QMessageBox::Ok, owner);
    box.exec();
}

void QtControls::load(Ctl array, int index) {
    const Element& first = elements_.at(array, 0);
    Element& added = elements_.add(array, index);
    QWidget* copy = createWidget(layoutRow(array), first.widget->parentWidget());
    copy->hide();
    shapeLikeFirstElement(*first.widget, *copy);
    useFont(*copy, first.widget->font());
    copy->setPalette(first.widget->palette());
    copy->setAutoFillBackground(first.widget->autoFillBackground());
    if (auto* label = qobject_cast<QLabel*>(first.widget)) {
        auto& copied = expect<QLabel>(copy, array);
        copied.setAlignment(label->alignment());
        copied.setText(label->text());
    }
    if (auto* box = qobject_cast<PictureBox*>(first.widget)) {
        auto& copied = expect<PictureBox>(copy, array);
        copied.setBackColor(box->backColour());
        copied.setForeColor(box->foreColour());
        copied.setFillColor(box->fillColour());
    }
    added = {copy, first.geometry, first.autoSize};
    place(added);
}

int QtControls::count(Ctl array) const {
    return elements_.count(array);
}

Geometry QtControls::geometry(Ctl ctl, int index) const {
    return elements_.at(ctl, index).geometry;
}

void QtControls::setGeometry(Ctl ctl, const Geometry& geometry, int index) {
    Element& target = elements_.at(ctl, index);
    // An auto-sized label keeps the size its caption gave it (a new caption refits it): only
    // its place changes.
    const bool keepsSize = target.autoSize && qobject_cast<QLabel*>(target.widget);
    const Geometry fitted = target.geometry;
    target.geometry = geometry;
    if (keepsSize) {
        target.geometry.width = fitted.width;
        target.geometry.height = fitted.height;
    }
    place(target);
    if (target.autoSize && !keepsSize) fit(target);
    // A fixed-size label given another width fits its caption to it again.
    auto* label = qobject_cast<QLabel*>(target.widget);
    if (label && !target.autoSize && geometry.width != fitted.width)
        fitFontToWidth(*label, label->text(), label->contentsRect().width());
}

bool QtControls::visible(Ctl ctl, int index) const {
    if (const auto item = menuItems_.find(ctl); item != menuItems_.end())
        return item->second->isVisible();
    if (ctl == Ctl::Timer1) return false;
    return !elements_.at(ctl, index).widget->isHidden();
}

void QtControls::setVisible(Ctl ctl, bool on, int index) {
    if (const auto item = menuItems_.find(ctl); item != menuItems_.end()) {
        item->second->setVisible(on);
        return;
    }
    elements_.at(ctl, index).widget->setVisible(on);
}

void QtControls::setBackColor(Ctl ctl, Colour colour, int index) {
    applyBackColour(elements_.at(ctl, index).widget, colour);
}

void QtControls::setAlignment(Ctl ctl, Align align, int index) {
    Element& target = elements_.at(ctl, index);
    const auto* label = qobject_cast<QLabel*>(target.widget);
    const Qt::Alignment before = label ? label->alignment() : Qt::Alignment();
    applyAlignment(target.widget, align);
    // The alignment is part of what a caption is measured with.
    if (target.autoSize && label && label->alignment() != before) fit(target);
}

void QtControls::setAutoSize(Ctl ctl, bool on, int index) {
    Element& target = elements_.at(ctl, index);
    // A label that already fits keeps fitting through setText: no second measure. One that
    // fits its caption needs no smaller type.
    if (on && !target.autoSize) {
        useFont(*target.widget, defaultFont());
        fit(target);
    }
    target.autoSize = on;
}

void QtControls::bringToFront(Ctl ctl, int index) {
    elements_.at(ctl, index).widget->raise();
}

Picture& QtControls::picture(Ctl ctl) {
    return pictureBox(ctl);
}

float QtControls::twipsPerPixelX() const {
    return static_cast<float>(layout::kTwipsPerPixel);
}

std::intptr_t QtControls::hWnd() const {
    return static_cast<std::intptr_t>(window_.winId());
}

void QtControls::endProgram() {
    ended_ = true;
    timer_->stop();
    window_.dropCloseHandlers();
    QCoreApplication::exit(0);
}

}  // namespace zarnel::qt
