// Twips and UTF-8 text at the border between the logic and Qt.
#pragma once

#include <QRect>
#include <QString>
#include <string>
#include <string_view>

#include "window/controls.h"
#include "window/layout.h"

namespace zarnel::qt {

inline int toPixels(float twips) {
    return qRound(twips / static_cast<float>(layout::kTwipsPerPixel));
}

inline float toTwips(int pixels) {
    return static_cast<float>(pixels * layout::kTwipsPerPixel);
}

inline QRect toPixels(const Geometry& g) {
    return {toPixels(g.left), toPixels(g.top), toPixels(g.width), toPixels(g.height)};
}

inline QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string toStdString(const QString& text) {
    return text.toStdString();
}

}  // namespace zarnel::qt
