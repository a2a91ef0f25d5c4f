#include "ui/win32/fonts.h"

#include <cmath>

#include "ui/win32/text.h"

namespace zarnel::win32 {
namespace {

// The default face is the frame face at the size of Japanese dialog text.
constexpr double kDefaultPoints = 9;
constexpr double kPointsPerInch = 72;
constexpr double kTenths = 10;

HFONT createFont(double points, int dpi) {
    const int height = -static_cast<int>(std::lround(points * dpi / kPointsPerInch));
    const std::wstring face = widen(layout::kFrameFontFace);
    return CreateFontW(height, 0, 0, 0, layout::kFrameFontWeight, FALSE, FALSE, FALSE,
                       layout::kFrameFontCharset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, face.c_str());
}

}  // namespace

Fonts::Fonts(int dpi) {
    rebuild(dpi);
}

Fonts::~Fonts() {
    release();
}

HFONT Fonts::font(FontRole role) const {
    return role == FontRole::FrameCaption ? frameCaption_ : default_;
}

double Fonts::points(FontRole role) {
    return role == FontRole::FrameCaption ? layout::kFrameFontPoints : kDefaultPoints;
}

HFONT Fonts::sized(FontRole role, double size) {
    const std::pair key{role, static_cast<int>(std::lround(size * kTenths))};
    const auto found = sized_.find(key);
    if (found != sized_.end()) return found->second;
    return sized_[key] = createFont(size, dpi_);
}

void Fonts::rebuild(int dpi) {
    release();
    dpi_ = dpi;
    default_ = createFont(points(FontRole::Default), dpi);
    frameCaption_ = createFont(points(FontRole::FrameCaption), dpi);
}

void Fonts::release() {
    if (default_) DeleteObject(default_);
    if (frameCaption_) DeleteObject(frameCaption_);
    default_ = frameCaption_ = nullptr;
    for (const auto& [key, font] : sized_) DeleteObject(font);
    sized_.clear();
}

}  // namespace zarnel::win32
