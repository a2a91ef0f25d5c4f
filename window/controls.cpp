#include "window/controls.h"

#include <array>

namespace zarnel {
namespace {

constexpr std::array kNames = {
#define ZARNEL_NAME_ENTRY(name) std::string_view(#name),
    ZARNEL_CONTROLS(ZARNEL_NAME_ENTRY)
#undef ZARNEL_NAME_ENTRY
};

}  // namespace

std::string_view ctlName(Ctl ctl) {
    return kNames.at(static_cast<std::size_t>(ctl));
}

void showEntries(Controls& controls, Ctl list, const std::vector<std::string>& entries) {
    if (controls.items(list) == entries) return;
    controls.clear(list);
    for (const std::string& entry : entries) controls.addItem(list, entry);
}

}  // namespace zarnel
