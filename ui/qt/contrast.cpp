#include "ui/qt/contrast.h"

#include <algorithm>
#include <cmath>

namespace zarnel::qt {
namespace {

// WCAG 2 relative luminance and the smallest contrast it asks of normal-sized text.
// https://www.w3.org/TR/WCAG21/#dfn-relative-luminance
constexpr double kMinimumContrast = 4.5;
constexpr double kLinearLimit = 0.04045;
constexpr double kLinearSlope = 12.92;
constexpr double kGammaOffset = 0.055;
constexpr double kGammaScale = 1.055;
constexpr double kGamma = 2.4;
constexpr double kRedWeight = 0.2126;
constexpr double kGreenWeight = 0.7152;
constexpr double kBlueWeight = 0.0722;
constexpr double kFlare = 0.05;

double linear(double channel) {
    return channel <= kLinearLimit ? channel / kLinearSlope
                                   : std::pow((channel + kGammaOffset) / kGammaScale, kGamma);
}

double luminance(const QColor& colour) {
    return kRedWeight * linear(colour.redF()) + kGreenWeight * linear(colour.greenF()) +
           kBlueWeight * linear(colour.blueF());
}

}  // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + kFlare) / (std::min(la, lb) + kFlare);
}

QColor readableOn(const QColor& background, const QColor& preferred) {
    if (contrastRatio(background, preferred) >= kMinimumContrast) return preferred;
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return contrastRatio(background, black) >= contrastRatio(background, white) ? black : white;
}

}  // namespace zarnel::qt
