#include "ui/win32/colours.h"

namespace zarnel::win32 {
namespace {

constexpr Colour kSystemColourBit = 0x80000000;
constexpr Colour kRgbMask = 0x00FFFFFF;

}  // namespace

COLORREF toColorRef(Colour colour) {
    // The low bits of a system colour are GetSysColor's index; 00BBGGRR is already a COLORREF.
    if (colour & kSystemColourBit) return GetSysColor(static_cast<int>(colour & ~kSystemColourBit));
    return colour & kRgbMask;
}

}  // namespace zarnel::win32
