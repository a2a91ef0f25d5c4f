#include "ui/qt/multi_line_field.h"

#include <QTextDocument>

#include "ui/qt/fonts.h"

namespace zarnel::qt {
namespace {

// The text a pixel from the frame, as a Windows multi-line field sets it: Qt's usual four
// would leave a two-line field room for little more than one line.
constexpr int kTextMargin = 1;

}  // namespace

MultiLineField::MultiLineField(const QString& text, int lines, QWidget* parent)
    : QPlainTextEdit(text, parent), lines_(lines) {
    document()->setDocumentMargin(kTextMargin);
    setTabChangesFocus(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void MultiLineField::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    fitFontToLines(*this, lines_, viewport()->height() - 2 * kTextMargin);
}

}  // namespace zarnel::qt
