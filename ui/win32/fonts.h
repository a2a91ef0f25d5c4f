// The window's two faces, made with CreateFontW at the window's DPI. The Japanese face name
// resolves through the system's font substitution, on Windows and under wine alike.
#pragma once

#include <windows.h>

#include <map>
#include <utility>

#include "window/layout.h"

namespace zarnel::win32 {

class Fonts {
  public:
    explicit Fonts(int dpi);
    ~Fonts();
    Fonts(const Fonts&) = delete;
    Fonts& operator=(const Fonts&) = delete;

    HFONT font(FontRole role) const;
    static double points(FontRole role);
    // The face of `role` at a smaller size, made once and kept until the next rebuild.
    HFONT sized(FontRole role, double points);
    // New fonts for a new DPI; the old ones are deleted, so controls must be given the new.
    void rebuild(int dpi);

  private:
    void release();

    int dpi_ = 0;
    HFONT default_ = nullptr;
    HFONT frameCaption_ = nullptr;
    // By role and size in tenths of a point.
    std::map<std::pair<FontRole, int>, HFONT> sized_;
};

}  // namespace zarnel::win32
