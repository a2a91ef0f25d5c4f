// The words a screen reader says for the memory figures that are drawn, not written: the pie,
// the line graph and its two axes. Built from the texts the window shows beside them.
#pragma once

#include <QString>
#include <QStringList>

namespace zarnel::qt {

// From the legend's "2915M" and "1180M": used and free in MB and per cent.
QString pieSummary(const QString& usedText, const QString& freeText);
// From the used-memory field and the time labels: the last sample and the time span shown.
QString lineGraphSummary(const QString& lastSampleText, const QStringList& timeCaptions);
// One axis as one phrase: its name and the range its numbered captions cover.
QString axisSummary(const QString& axisName, const QStringList& captions);

}  // namespace zarnel::qt
