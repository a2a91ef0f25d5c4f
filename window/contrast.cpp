#include "window/contrast.h"

#include <algorithm>
#include <cmath>

#include "window/colours.h"

namespace zarnel::colour {
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
constexpr unsigned kChannelBits = 8;
constexpr Colour kChannelMask = 0xFF;
constexpr double kChannelTop = 255.0;

// A channel of 00BBGGRR, 0 for red, as a fraction of full brightness.
double channel(Colour colour, unsigned index) {
    return static_cast<double>((colour >> (index * kChannelBits)) & kChannelMask) / kChannelTop;
}

double linear(double value) {
    return value <= kLinearLimit ? value / kLinearSlope
                                 : std::pow((value + kGammaOffset) / kGammaScale, kGamma);
}

double luminance(Colour colour) {
    return kRedWeight * linear(channel(colour, 0)) + kGreenWeight * linear(channel(colour, 1)) +
           kBlueWeight * linear(channel(colour, 2));
}

}  // namespace

double contrastRatio(Colour a, Colour b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + kFlare) / (std::min(la, lb) + kFlare);
}

Colour readableOn(Colour background, Colour preferred) {
    if (contrastRatio(background, preferred) >= kMinimumContrast) return preferred;
    return contrastRatio(background, kBlack) >= contrastRatio(background, kWhite) ? kBlack : kWhite;
}

}  // namespace zarnel::colour
