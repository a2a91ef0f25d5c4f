// Twips to device pixels at the window's DPI: 15 twips a pixel at 96 dots per inch, fewer on a
// denser screen, since the window is per-monitor DPI aware and scales itself.
#pragma once

#include <cmath>

#include "window/layout.h"

namespace zarnel::win32 {

inline constexpr int kBaseDpi = 96;
inline constexpr int kTwipsPerInch = layout::kTwipsPerPixel * kBaseDpi;

class Scale {
  public:
    explicit Scale(int dpi = kBaseDpi) : dpi_(dpi) {}

    int dpi() const { return dpi_; }
    float twipsPerPixel() const { return static_cast<float>(kTwipsPerInch) / dpi_; }
    int toPixels(float twips) const {
        return static_cast<int>(std::lround(twips / twipsPerPixel()));
    }
    float toTwips(int pixels) const { return static_cast<float>(pixels) * twipsPerPixel(); }

  private:
    int dpi_;
};

}  // namespace zarnel::win32
