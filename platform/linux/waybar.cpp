#include "platform/linux/waybar.h"

#include <array>
#include <string>
#include <vector>

#include "platform/linux/json_text.h"
#include "platform/linux/read_file.h"
#include "platform/platform.h"

namespace zarnel::linux_fs {
namespace {

using app_bar_state::kAlwaysOnTop;
using app_bar_state::kAutoHide;

// How a mode draws its bar: in which layer, and whether it shows at all.
struct BarMode {
    std::string_view name;
    std::string_view layer;
    bool visible;
};
// The mode a bar without one is in, which its own `layer` and `visible` change.
constexpr BarMode kDefaultMode = {"default", "bottom", true};
constexpr std::array<BarMode, 4> kPresetModes = {{{"dock", "bottom", true},
                                                  {"hide", "top", true},
                                                  {"invisible", "bottom", false},
                                                  {"overlay", "top", true}}};
constexpr std::string_view kHideMode = "hide";
constexpr std::array<std::string_view, 3> kLayers = {"bottom", "top", "overlay"};
constexpr std::string_view kBottomLayer = "bottom";

constexpr std::array<std::string_view, 2> kConfigFiles = {"config", "config.jsonc"};
// The distribution's bar, for users without one of their own.
constexpr std::string_view kMachineFolder = "/etc/xdg/waybar";

// One of the layers a bar may be put in, as kept here; nothing for another name.
std::optional<std::string_view> knownLayer(const JsonValue* value) {
    const auto name = value ? value->string() : std::nullopt;
    for (const std::string_view layer : kLayers) {
        if (name == layer) return layer;
    }
    return std::nullopt;
}

// The mode with what `settings` (the bar's own keys, or its `modes` entry for the mode)
// change of its layer and visibility.
BarMode changedBy(BarMode mode, const JsonValue& settings) {
    if (const auto layer = knownLayer(settings.member("layer"))) mode.layer = *layer;
    if (const JsonValue* visible = settings.member("visible");
        visible && visible->kind == JsonValue::Kind::Boolean) {
        mode.visible = visible->boolean;
    }
    return mode;
}

bool isTrue(const JsonValue& bar, std::string_view key) {
    const JsonValue* value = bar.member(key);
    return value && value->kind == JsonValue::Kind::Boolean && value->boolean;
}

std::uint32_t barState(const JsonValue& bar) {
    const JsonValue* modeValue = bar.member("mode");
    const std::string modeName = modeValue ? modeValue->string().value_or("") : "";
    // A preset mode, else the default as the bar's own keys change it (an unknown name too);
    // then what the bar's own `modes` entry for that name changes.
    BarMode mode = changedBy(kDefaultMode, bar);
    for (const BarMode& preset : kPresetModes) {
        if (preset.name == modeName) mode = preset;
    }
    const JsonValue* ownModes = bar.member("modes");
    if (const JsonValue* own = ownModes ? ownModes->member(modeName) : nullptr;
        own && own->kind == JsonValue::Kind::Object) {
        mode = changedBy(mode, *own);
    }
    std::uint32_t state = mode.layer == kBottomLayer ? 0 : kAlwaysOnTop;
    const bool followsSway = modeName == kHideMode && isTrue(bar, "ipc");
    if (!mode.visible || isTrue(bar, "start_hidden") || followsSway) state |= kAutoHide;
    return state;
}

}  // namespace

std::optional<std::uint32_t> waybarState(std::string_view config) {
    const auto value = parseJson(config);
    if (!value) return std::nullopt;
    std::vector<const JsonValue*> bars;
    if (value->kind == JsonValue::Kind::Object) bars.push_back(&*value);
    if (value->kind == JsonValue::Kind::Array) {
        for (const JsonValue& item : value->items) {
            if (item.kind == JsonValue::Kind::Object) bars.push_back(&item);
        }
    }
    if (bars.empty()) return std::nullopt;
    std::uint32_t state = 0;
    for (const JsonValue* bar : bars) state |= barState(*bar);
    return state;
}

std::optional<std::uint32_t> waybarTaskbarState(const std::filesystem::path& root,
                                                const std::filesystem::path& configHome,
                                                const std::filesystem::path& home) {
    const std::array<std::filesystem::path, 4> folders = {
        configHome / "waybar", home / ".config/waybar", home / "waybar", kMachineFolder};
    for (const std::filesystem::path& folder : folders) {
        for (const std::string_view file : kConfigFiles) {
            // The first file there is the one Waybar reads, whatever it holds.
            const std::filesystem::path path = (folder / file).relative_path();
            std::error_code missing;
            if (!std::filesystem::exists(root / path, missing)) continue;
            const auto text = readFile(root, path, FinalLink::Follow);
            return text ? waybarState(*text) : std::nullopt;
        }
    }
    return std::nullopt;
}

}  // namespace zarnel::linux_fs
