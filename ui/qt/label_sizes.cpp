#include "ui/qt/label_sizes.h"

#include <QFontMetrics>
#include <QLabel>

namespace zarnel::qt {
namespace {

// Enough for a few renumberings of the seventeen time labels and the other fitted captions;
// few enough that the set stays small however long the window runs.
constexpr std::size_t kRemembered = 64;
// The box QLabel lays an unwrapped caption out in to find its size.
constexpr int kLayoutBox = 2000;

// A label whose size is its caption's extent and nothing else: a caption (an empty label takes
// a character's size), no margin, indent, frame, wrapping, rich text, mnemonic or minimum size.
bool bareCaption(const QLabel& label) {
    return !label.text().isEmpty() && label.margin() == 0 && label.indent() < 0 &&
           label.frameWidth() == 0 && !label.wordWrap() && label.textFormat() == Qt::PlainText &&
           !label.buddy() && label.contentsMargins().isNull() && label.minimumSize().isNull();
}

// QLabel's size hint measures the caption three times over (for its minimum size too); one
// layout gives the same size.
QSize measured(QLabel& label) {
    const int flags = static_cast<int>(label.alignment() & ~(Qt::AlignHCenter | Qt::AlignVCenter));
    return label.fontMetrics()
        .boundingRect(0, 0, kLayoutBox, kLayoutBox, flags, label.text())
        .size();
}

}  // namespace

void LabelSizes::fit(QLabel& label) {
    if (label.font() != font_ || label.alignment() != alignment_) {
        font_ = label.font();
        alignment_ = label.alignment();
        sizes_.clear();
        oldestFirst_.clear();
    }
    const QString text = label.text();
    if (const auto known = sizes_.find(text); known != sizes_.end()) {
        label.resize(known->second);
        return;
    }
    if (!bareCaption(label)) {
        label.adjustSize();
        return;
    }
    const QSize size = measured(label);
    remember(text, size);
    label.resize(size);
}

void LabelSizes::remember(const QString& text, QSize size) {
    if (oldestFirst_.size() == kRemembered) {
        sizes_.erase(oldestFirst_.front());
        oldestFirst_.pop_front();
    }
    oldestFirst_.push_back(text);
    sizes_.emplace(text, size);
}

}  // namespace zarnel::qt
