#include "platform/linux/tint2.h"

#include <algorithm>
#include <array>
#include <span>

#include "platform/linux/panel_state.h"
#include "platform/linux/read_file.h"
#include "platform/platform.h"
#include "platform/text_fields.h"

namespace zarnel::linux_fs {
namespace {

constexpr std::string_view kSettingsFile = "tint2/tint2rc";
constexpr std::array<std::string_view, 2> kSettingsOptions = {"-c", "--config"};
// Options whose value is no settings file.
constexpr std::array<std::string_view, 3> kOtherValueOptions = {"-s", "--snapshot",
                                                                "--battery-sys-prefix"};

bool oneOf(std::string_view word, std::span<const std::string_view> words) {
    return std::ranges::find(words, word) != words.end();
}

// The settings file a tint2 command line names, as tint2 reads it: the value of its option,
// or a last word that is no option's value.
std::optional<std::filesystem::path> namedSettings(const std::vector<std::string>& arguments) {
    std::optional<std::filesystem::path> named;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const bool hasValue = i + 1 < arguments.size();
        if (oneOf(arguments[i], kSettingsOptions) && hasValue) {
            named = arguments[++i];
        } else if (oneOf(arguments[i], kOtherValueOptions) && hasValue) {
            ++i;
        } else if (!hasValue) {
            named = arguments[i];
        }
    }
    return named;
}

}  // namespace

std::uint32_t tint2State(std::string_view settings) {
    bool hides = false;
    bool onTop = false;
    // "key = value" lines; a '#' opening a line makes it a comment.
    for (std::string_view rest = settings; !rest.empty();) {
        const std::string_view line = takeLine(rest);
        const std::size_t equals = line.find('=');
        if (line.starts_with('#') || equals == std::string_view::npos) continue;
        const std::string_view key = trimmed(line.substr(0, equals));
        const std::string_view value = trimmed(line.substr(equals + 1));
        // tint2 reads the number as atoi does: its leading digits, none being 0.
        if (key == "autohide")
            hides = !value.empty() && value.front() >= '1' && value.front() <= '9';
        if (key == "panel_layer") onTop = value == "top";
    }
    return panelState(hides, onTop);
}

std::optional<std::uint32_t> tint2TaskbarState(const std::filesystem::path& root,
                                               const Tint2Session& session,
                                               std::span<const RunningProgram> running) {
    std::vector<std::filesystem::path> defaults = {session.configHome / kSettingsFile};
    for (const std::string& folder : session.configDirs) {
        defaults.push_back(std::filesystem::path(folder) / kSettingsFile);
    }
    std::optional<std::uint32_t> state;
    for (const RunningProgram& program : running) {
        if (std::ranges::find(kTint2Programs, program.name) == kTint2Programs.end()) continue;
        const std::optional<std::filesystem::path> named = namedSettings(program.arguments);
        // A file named relative to where tint2 was started cannot be told.
        if (named && !named->is_absolute()) continue;
        const std::vector<std::filesystem::path> candidates =
            named ? std::vector<std::filesystem::path>{*named} : defaults;
        for (const std::filesystem::path& candidate : candidates) {
            if (const auto text = readSettingsFile(root, candidate)) {
                state = state.value_or(0) | tint2State(*text);
                break;
            }
        }
    }
    return state;
}

}  // namespace zarnel::linux_fs
