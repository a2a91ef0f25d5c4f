// The sizes auto-sized labels fit to, remembered per caption. The time axis renumbers by
// shifting its numbers one label along, so all but one caption of a renumbering were measured
// a moment ago; laying text out again for each would cost more than the rest of the tick.
#pragma once

#include <QFont>
#include <QSize>
#include <QString>
#include <deque>
#include <map>

class QLabel;

namespace zarnel::qt {

class LabelSizes {
  public:
    // Resizes `label` to fit its caption, exactly as QWidget::adjustSize does. The labels
    // fitted here differ only in font, alignment and caption: those this program makes never
    // change their margins, indent, frame or word wrap.
    void fit(QLabel& label);

  private:
    // Ordered, not hashed: hashing a short caption costs more than a few comparisons.
    using Sizes = std::map<QString, QSize>;

    void remember(const QString& text, QSize size);

    // The font and alignment the remembered sizes were measured with.
    QFont font_;
    Qt::Alignment alignment_;
    Sizes sizes_;
    std::deque<QString> oldestFirst_;
};

}  // namespace zarnel::qt
