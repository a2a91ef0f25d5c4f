// What a screen reader calls the native window's fields and figures: a field by the caption of
// its row label, frame or menu item, the pie, the line graph and each axis by what they show
// now, as the Qt window names them; grid lines and the axes' other labels are drawn only.
#pragma once

#include <windows.h>

#include "window/figure_news.h"

namespace zarnel::win32 {

class Win32Controls;

class ScreenReaderNames {
  public:
    // Call once the window is built. Each field and figure then answers a screen reader's
    // question for its accessible object with the standard object under its own name, read
    // when asked.
    void install(const Win32Controls& controls);
    // A tick may have changed the figures or the axes: a reader following them is told of each
    // that did and can be seen, at most once a second; `now` is the system's tick count in
    // milliseconds.
    void figuresMayHaveChanged(ULONGLONG now);

  private:
    const Win32Controls* controls_ = nullptr;
    FigureNews news_;
};

}  // namespace zarnel::win32
