#include "ui/qt/graph_descriptions.h"

#include <algorithm>
#include <optional>

namespace zarnel::qt {
namespace {

constexpr int kWholePercent = 100;
const QString kMegabyteSuffix = QStringLiteral("M");

// "2915M" as 2915; nothing for a field that holds no figure yet.
std::optional<long long> megabytes(const QString& text) {
    if (!text.endsWith(kMegabyteSuffix)) return std::nullopt;
    bool ok = false;
    const long long value = text.chopped(kMegabyteSuffix.size()).toLongLong(&ok);
    return ok && value >= 0 ? std::optional(value) : std::nullopt;
}

QString megabytesPhrase(long long value) {
    return QStringLiteral("%1 MB").arg(value);
}

// "7〜23" over numbered captions, or nothing when none is a number.
std::optional<QString> range(const QStringList& captions) {
    std::optional<long long> low;
    std::optional<long long> high;
    for (const QString& caption : captions) {
        bool ok = false;
        const long long value = caption.toLongLong(&ok);
        if (!ok) continue;
        low = std::min(low.value_or(value), value);
        high = std::max(high.value_or(value), value);
    }
    if (!low) return std::nullopt;
    return QStringLiteral("%1〜%2").arg(*low).arg(*high);
}

}  // namespace

QString pieSummary(const QString& usedText, const QString& freeText) {
    const auto used = megabytes(usedText);
    const auto free = megabytes(freeText);
    if (!used || !free || *used + *free == 0)
        return QStringLiteral("使用中 %1、空き %2").arg(usedText, freeText);
    const long long total = *used + *free;
    // Nearest whole per cent, halves up; the two shares always add up to 100.
    const long long usedPercent = (*used * kWholePercent * 2 + total) / (total * 2);
    return QStringLiteral("使用中 %1 (%2%)、空き %3 (%4%)")
        .arg(megabytesPhrase(*used))
        .arg(usedPercent)
        .arg(megabytesPhrase(*free))
        .arg(kWholePercent - usedPercent);
}

QString lineGraphSummary(const QString& lastSampleText, const QStringList& timeCaptions) {
    const auto sample = megabytes(lastSampleText);
    QString text =
        QStringLiteral("使用メモリ %1").arg(sample ? megabytesPhrase(*sample) : lastSampleText);
    if (const auto span = range(timeCaptions)) text += QStringLiteral("、時間 ") + *span;
    return text;
}

QString axisSummary(const QString& axisName, const QStringList& captions) {
    const auto span = range(captions);
    return span ? axisName + QStringLiteral(" ") + *span : axisName;
}

}  // namespace zarnel::qt
