#include "platform/linux/waybar.h"

#include <array>
#include <string>
#include <unordered_set>

#include "platform/linux/home_words.h"
#include "platform/linux/json_text.h"
#include "platform/linux/read_file.h"
#include "platform/platform.h"

namespace zarnel::linux_fs {
namespace {

using app_bar_state::kAlwaysOnTop;
using app_bar_state::kAutoHide;

enum class Layer { Bottom, Top, Overlay };

struct NamedLayer {
    std::string_view name;
    Layer layer;
};
constexpr std::array<NamedLayer, 3> kLayers = {
    {{"bottom", Layer::Bottom}, {"top", Layer::Top}, {"overlay", Layer::Overlay}}};

// How a mode draws its bar: in which layer, and whether it shows at all.
struct BarMode {
    Layer layer = Layer::Bottom;
    bool visible = false;
};

struct NamedMode {
    std::string_view name;
    BarMode mode;
};
constexpr std::string_view kDefaultModeName = "default";
constexpr std::array<NamedMode, 5> kPresetModes = {{{kDefaultModeName, {Layer::Bottom, true}},
                                                    {"dock", {Layer::Bottom, true}},
                                                    {"hide", {Layer::Top, true}},
                                                    {"invisible", {Layer::Bottom, false}},
                                                    {"overlay", {Layer::Top, true}}}};

constexpr std::array<std::string_view, 2> kConfigFiles = {"config", "config.jsonc"};
// The distribution's bar, for users without one of their own.
constexpr std::string_view kMachineFolder = "/etc/xdg/waybar";
constexpr std::array<std::string_view, 2> kConfigOptions = {"-c", "--config"};
constexpr std::array<std::string_view, 2> kBarOptions = {"-b", "--bar"};
// The sway bar a bar follows when nothing names one.
constexpr std::string_view kFirstSwayBar = "bar-0";
// Deeper than any settings include; Waybar itself refuses to start past 100, taking a file
// that includes itself for a loop.
constexpr int kMaxIncludeDepth = 16;
// More files than any settings include, for all their bars (a bar for each of several screens,
// each including the same few files); a few files that include each other many times over
// stop there.
constexpr int kMaxIncludedFiles = 256;

// A setting as Waybar takes it for a switch: true, or a number other than 0.
bool isOn(const JsonValue* value) {
    if (value == nullptr) return false;
    if (value->kind == JsonValue::Kind::Boolean) return value->boolean;
    if (value->kind != JsonValue::Kind::Number) return false;
    const std::string_view number = value->text;
    return number.substr(0, number.find_first_of("eE")).find_first_of("123456789") !=
           std::string_view::npos;
}

std::string textOf(const JsonValue* value) {
    return value ? value->string().value_or("") : "";
}

// The mode with what `settings` (a bar's own keys, or one of its `modes` entries) change of
// its layer and visibility.
BarMode changedBy(BarMode mode, const JsonValue* settings) {
    if (settings == nullptr || settings->kind != JsonValue::Kind::Object) return mode;
    const std::string layerName = textOf(settings->member("layer"));
    for (const NamedLayer& layer : kLayers) {
        if (layer.name == layerName) mode.layer = layer.layer;
    }
    if (const JsonValue* visible = settings->member("visible")) mode.visible = isOn(visible);
    return mode;
}

const BarMode* presetNamed(std::string_view name) {
    for (const NamedMode& preset : kPresetModes) {
        if (preset.name == name) return &preset.mode;
    }
    return nullptr;
}

// The mode named `name` as `bar` has it.
BarMode modeNamed(const JsonValue& bar, std::string_view name) {
    const JsonValue* ownModes = bar.member("modes");
    const auto ownEntry = [ownModes](std::string_view mode) {
        return ownModes ? ownModes->member(mode) : nullptr;
    };
    const JsonValue* entry = ownEntry(name);
    if (name != kDefaultModeName) {
        if (const BarMode* preset = presetNamed(name)) return changedBy(*preset, entry);
        if (entry && entry->kind == JsonValue::Kind::Object) return changedBy(BarMode{}, entry);
    }
    return changedBy(changedBy(*presetNamed(kDefaultModeName), ownEntry(kDefaultModeName)), &bar);
}

// The sway bar `bar` follows, if it follows one sway has: the one its own id names (an empty
// one names the first), else its command line's, else the first.
const SwayBar* followedBar(const JsonValue& bar, const SwayBarsFollowed* sway) {
    const JsonValue* ipc = bar.member("ipc");
    if (sway == nullptr || ipc == nullptr || ipc->kind != JsonValue::Kind::Boolean ||
        !ipc->boolean) {
        return nullptr;
    }
    const JsonValue* ownId = bar.member("id");
    std::string id = ownId && ownId->string() ? *ownId->string() : sway->barArgument;
    if (id.empty()) id = kFirstSwayBar;
    for (const SwayBar& swayBar : sway->bars) {
        if (swayBar.id == id) return &swayBar;
    }
    return nullptr;
}

// `from`'s keys that `into` lacks, put into it; an object both have, merged the same way. A key
// given twice counts by its last value, as Waybar reads it.
void mergeMissing(JsonValue& into, const JsonValue& from) {
    if (into.kind != JsonValue::Kind::Object || from.kind != JsonValue::Kind::Object) return;
    std::unordered_set<std::string_view> merged;
    for (auto member = from.members.rbegin(); member != from.members.rend(); ++member) {
        if (!merged.insert(member->name).second) continue;
        JsonValue* own = into.member(member->name);
        if (own == nullptr) {
            into.members.push_back(*member);
        } else if (own->kind == JsonValue::Kind::Object) {
            mergeMissing(*own, member->value);
        }
    }
}

// What Waybar does with one settings file: the includes of each of its bars, then the file
// merged into `into`.
class Includes {
  public:
    explicit Includes(const WaybarIncludes& read) : read_(read) {}

    // The includes of `value`'s bars, read into them.
    void resolve(JsonValue& value, int depth) {
        if (value.kind != JsonValue::Kind::Array) return resolveBar(value, depth);
        for (JsonValue& bar : value.items) resolveBar(bar, depth);
    }

  private:
    void resolveBar(JsonValue& bar, int depth) {
        const JsonValue* include = bar.member("include");
        if (include == nullptr) return;
        // Named first: merging moves the bar's members.
        std::vector<std::string> named;
        if (auto file = include->string()) named.push_back(*file);
        for (const JsonValue& item : include->items) {
            if (auto file = item.string()) named.push_back(*file);
        }
        for (const std::string& file : named) read(bar, file, depth + 1);
    }

    void read(JsonValue& into, const std::string& file, int depth) {
        if (depth > kMaxIncludeDepth || filesLeft_ == 0) return;
        --filesLeft_;
        const auto text = read_(file);
        if (!text) return;
        auto value = parseJson(*text);
        if (!value) return;
        resolve(*value, depth);
        mergeMissing(into, *value);
    }

    const WaybarIncludes& read_;
    int filesLeft_ = kMaxIncludedFiles;
};

std::uint32_t barState(const JsonValue& bar, const SwayBarsFollowed* sway) {
    // A bar following sway's takes, shown, the mode sway gives it, as its own modes change
    // that; hidden, it is invisible.
    const SwayBar* followed = followedBar(bar, sway);
    const BarMode mode = modeNamed(bar, followed ? followed->mode : textOf(bar.member("mode")));
    std::uint32_t state = mode.layer == Layer::Bottom ? 0 : kAlwaysOnTop;
    const bool hidden =
        followed ? followed->hides() : !mode.visible || isOn(bar.member("start_hidden"));
    return state | (hidden ? kAutoHide : 0);
}

std::optional<std::uint32_t> fileState(const std::filesystem::path& root,
                                       const std::filesystem::path& file,
                                       const std::filesystem::path& home,
                                       const std::filesystem::path& configHome,
                                       const SwayBarsFollowed* sway) {
    const auto text = readSettingsFile(root, file);
    if (!text) return std::nullopt;
    return waybarState(*text, sway, [&](const std::string& named) {
        // Relative to the home folder, where sessions start Waybar, as its command line's.
        return readSettingsFile(root, home / withHomeWords(named, home, configHome));
    });
}

// The value of the last of `options` on the command line (OPTION VALUE, or --OPTION=VALUE for
// the long one).
std::optional<std::string> commandLineValue(const std::vector<std::string>& arguments,
                                            const std::array<std::string_view, 2>& options) {
    std::optional<std::string> value;
    const std::string joined = std::string(options[1]) + "=";
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument.starts_with(joined)) value = argument.substr(joined.size());
        for (const std::string_view option : options) {
            if (argument == option && i + 1 < arguments.size()) value = arguments[++i];
        }
    }
    return value;
}

}  // namespace

std::optional<std::uint32_t> waybarState(std::string_view config, const SwayBarsFollowed* sway,
                                         const WaybarIncludes& includes) {
    auto value = parseJson(config);
    if (!value) return std::nullopt;
    if (includes) Includes(includes).resolve(*value, 0);
    std::vector<const JsonValue*> bars;
    if (value->kind == JsonValue::Kind::Object) bars.push_back(&*value);
    if (value->kind == JsonValue::Kind::Array) {
        for (const JsonValue& item : value->items) {
            if (item.kind == JsonValue::Kind::Object) bars.push_back(&item);
        }
    }
    if (bars.empty()) return std::nullopt;
    std::uint32_t state = 0;
    for (const JsonValue* bar : bars) state |= barState(*bar, sway);
    return state;
}

std::optional<std::string> waybarConfigArgument(const std::vector<std::string>& arguments) {
    return commandLineValue(arguments, kConfigOptions);
}

std::optional<std::string> waybarBarArgument(const std::vector<std::string>& arguments) {
    return commandLineValue(arguments, kBarOptions);
}

std::optional<std::uint32_t> waybarTaskbarState(const std::filesystem::path& root,
                                                const std::filesystem::path& configHome,
                                                const std::filesystem::path& home,
                                                const std::vector<std::string>& arguments,
                                                const std::vector<SwayBar>& swayBars) {
    const SwayBarsFollowed sway{swayBars, waybarBarArgument(arguments).value_or("")};
    if (const auto named = waybarConfigArgument(arguments)) {
        return fileState(root, home / *named, home, configHome, &sway);
    }
    const std::array<std::filesystem::path, 4> folders = {
        configHome / "waybar", home / ".config/waybar", home / "waybar", kMachineFolder};
    for (const std::filesystem::path& folder : folders) {
        for (const std::string_view file : kConfigFiles) {
            // The first file there is the one Waybar reads, whatever it holds.
            std::error_code missing;
            if (std::filesystem::exists(root / (folder / file).relative_path(), missing)) {
                return fileState(root, folder / file, home, configHome, &sway);
            }
        }
    }
    return std::nullopt;
}

}  // namespace zarnel::linux_fs
