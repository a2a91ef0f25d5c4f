// Which drawn figures a screen reader following them is told of: the pie, the line graph and
// its two axes, each when its summary (see graph_descriptions.h) has changed since it was last
// told. Looked at once a second at most, however fast the ticks that change them come.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "window/controls.h"

namespace zarnel {

class FigureNews {
  public:
    // The figures to tell of at `nowMs` (a steady clock's milliseconds). One that cannot be
    // seen (its tab is away, the window minimised), as `onScreen` says, is left until it can.
    std::vector<Ctl> news(const Controls& controls, std::int64_t nowMs,
                          const std::function<bool(Ctl)>& onScreen);

  private:
    std::optional<std::int64_t> lastLooked_;
    std::map<Ctl, std::string> told_;
};

}  // namespace zarnel
