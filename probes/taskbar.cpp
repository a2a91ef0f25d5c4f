#include "probes/taskbar.h"

#include <cstdint>

namespace zarnel {
namespace {

std::string_view settingText(std::uint32_t state, std::uint32_t bit) {
    return (state & bit) != 0 ? "設定されています" : "設定されていません";
}

}  // namespace

void TaskbarSettings(Controls& controls, Platform& platform) {
    const std::uint32_t state = platform.appBarGetState();
    controls.setText(Ctl::Text9, settingText(state, app_bar_state::kAutoHide));
    controls.setText(Ctl::Text10, settingText(state, app_bar_state::kAlwaysOnTop));
}

}  // namespace zarnel
