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

}  // namespace zarnel
