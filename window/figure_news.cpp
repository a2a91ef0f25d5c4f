#include "window/figure_news.h"

#include <array>
#include <utility>

#include "window/graph_descriptions.h"

namespace zarnel {
namespace {

struct Figure {
    Ctl control;
    std::string (*summary)(const Controls&);
};

constexpr std::array<Figure, 4> kFigures = {{{Ctl::Picture4, pieSummary},
                                             {Ctl::Picture1, lineGraphSummary},
                                             {Ctl::lblX, timeAxisSummary},
                                             {Ctl::lblY, memoryAxisSummary}}};

}  // namespace

std::vector<Ctl> FigureNews::news(const Controls& controls, std::int64_t nowMs,
                                  const std::function<bool(Ctl)>& onScreen) {
    if (lastLooked_ && nowMs - *lastLooked_ < kSummaryPeriodMs - kSummarySlackMs) return {};
    lastLooked_ = nowMs;
    std::vector<Ctl> news;
    for (const Figure& figure : kFigures) {
        if (!onScreen(figure.control)) continue;
        std::string summary = figure.summary(controls);
        std::string& told = told_[figure.control];
        if (summary == told) continue;
        told = std::move(summary);
        news.push_back(figure.control);
    }
    return news;
}

}  // namespace zarnel
