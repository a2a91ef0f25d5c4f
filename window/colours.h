// Colours as the window stores them: 00BBGGRR, or a system colour (the top bit set, the low
// bits its GetSysColor index), so that a front-end can follow the desktop's theme.
#pragma once

#include "window/controls.h"

namespace zarnel::colour {

inline constexpr Colour kSystemBit = 0x80000000;

inline constexpr Colour kWindowBackground = kSystemBit | 5;
inline constexpr Colour kWindowText = kSystemBit | 8;
inline constexpr Colour kHighlight = kSystemBit | 13;
inline constexpr Colour kHighlightText = kSystemBit | 14;
inline constexpr Colour kButtonFace = kSystemBit | 15;
inline constexpr Colour kButtonText = kSystemBit | 18;

inline constexpr Colour kBlack = 0x00000000;
inline constexpr Colour kRed = 0x000000FF;
inline constexpr Colour kCyan = 0x00FFFF00;
inline constexpr Colour kWhite = 0x00FFFFFF;

constexpr bool isSystem(Colour colour) {
    return (colour & kSystemBit) != 0;
}

}  // namespace zarnel::colour
