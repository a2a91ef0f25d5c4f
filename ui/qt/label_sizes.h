// The sizes auto-sized labels fit to, remembered per caption. The time axis renumbers by
// shifting its numbers one label along, so all but one caption of a renumbering were measured
// a moment ago; laying text out again for each would cost more than the rest of the tick.
#pragma once

#include <QFont>
#include <QHash>
#include <QSize>
#include <QString>
#include <deque>

class QLabel;

namespace zarnel::qt {

class LabelSizes {
  public:
    // Resizes `label` to fit its caption, exactly as QWidget::adjustSize does.
    void fit(QLabel& label);

  private:
    QHash<QString, QSize>::const_iterator remember(const QString& text, QSize size);

    // A label's fitted size depends on its font, alignment and caption only: the labels this
    // program makes never change their margins, indent, frame or word wrap.
    QFont font_;
    Qt::Alignment alignment_;
    QHash<QString, QSize> sizes_;
    std::deque<QString> oldestFirst_;
};

}  // namespace zarnel::qt
