#include "platform/linux/sway_config.h"

#include <algorithm>
#include <array>
#include <limits>
#include <span>

#include "platform/text_fields.h"

namespace zarnel::linux_fs {
namespace {

constexpr std::string_view kBar = "bar";
// Longer than any variable's name in settings; longer names are not kept, so that a hostile
// file cannot make each '$' cost a look at thousands of name lengths.
constexpr std::size_t kMaxNameLength = 64;
// Longer than any line of settings with its variables put in: a variable named many times
// over in the values of others would otherwise grow without end.
constexpr std::size_t kMaxLineBytes = 65536;
// No bar yet: a bar block's bar is made by its first setting.
constexpr std::size_t kNoBar = std::numeric_limits<std::size_t>::max();
constexpr std::string_view kBarIdPrefix = "bar-";
constexpr std::string_view kHideMode = "hide";
constexpr std::string_view kInvisibleMode = "invisible";
constexpr std::string_view kShowState = "show";
constexpr std::string_view kOverlayMode = "overlay";
constexpr std::array<std::string_view, 4> kModes = {"dock", kHideMode, kInvisibleMode,
                                                    kOverlayMode};
constexpr std::array<std::string_view, 2> kHiddenStates = {kHideMode, kShowState};
// The settings a bar takes, which tell a bar's id from a setting on a `bar` line.
constexpr std::array<std::string_view, 29> kBarSettings = {"bindcode",
                                                           "binding_mode_indicator",
                                                           "bindsym",
                                                           "colors",
                                                           "font",
                                                           "gaps",
                                                           "height",
                                                           "hidden_state",
                                                           "icon_theme",
                                                           "id",
                                                           "mode",
                                                           "modifier",
                                                           "output",
                                                           "pango_markup",
                                                           "position",
                                                           "separator_symbol",
                                                           "status_command",
                                                           "status_edge_padding",
                                                           "status_padding",
                                                           "strip_workspace_name",
                                                           "strip_workspace_numbers",
                                                           "swaybar_command",
                                                           "tray_bindcode",
                                                           "tray_bindsym",
                                                           "tray_output",
                                                           "tray_padding",
                                                           "workspace_buttons",
                                                           "workspace_min_width",
                                                           "wrap_scroll"};

bool isBarSetting(std::string_view word) {
    return std::ranges::find(kBarSettings, word) != kBarSettings.end();
}

// `value` in lower case when it is one of `allowed`, as sway takes it; nothing otherwise.
template <std::size_t N>
std::optional<std::string> oneOf(std::string_view value,
                                 const std::array<std::string_view, N>& allowed) {
    for (const std::string_view name : allowed) {
        if (sameIgnoringCase(value, name)) return std::string(name);
    }
    return std::nullopt;
}

// The settings text's lines, each continued line joined to the next; blank lines stay, empty.
std::vector<std::string> logicalLines(std::string_view text) {
    std::vector<std::string> lines;
    std::string pending;
    while (!text.empty()) {
        const std::string_view line = trimmed(takeLine(text), " \t\r");
        if (line.ends_with('\\')) {
            pending.append(line.substr(0, line.size() - 1)).push_back(' ');
            continue;
        }
        pending.append(line);
        lines.push_back(std::move(pending));
        pending.clear();
    }
    if (!pending.empty()) lines.push_back(std::move(pending));
    return lines;
}

bool isComment(std::string_view line) {
    return line.empty() || line.starts_with('#');
}

bool isBarBlock(const std::vector<std::vector<std::string>>& blocks) {
    return !blocks.empty() && !blocks.front().empty() && blocks.front().front() == kBar;
}

}  // namespace

bool SwayBar::hides() const {
    return mode == kInvisibleMode || (mode == kHideMode && hiddenState != kShowState);
}

bool SwayBar::above() const {
    return mode == kHideMode || mode == kOverlayMode;
}

std::vector<std::string> swayWords(std::string_view line) {
    std::vector<std::string> words;
    std::string word;
    char quote = '\0';
    bool inWord = false;
    for (const char c : line) {
        if (quote != '\0') {
            if (c == quote) {
                quote = '\0';
            } else {
                word += c;
            }
        } else if (c == '"' || c == '\'') {
            quote = c;
            inWord = true;
        } else if (c == ' ' || c == '\t') {
            if (inWord) words.push_back(std::move(word));
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) words.push_back(std::move(word));
    return words;
}

std::string SwayConfigReader::withVariables(std::string_view line) const {
    std::string out;
    for (std::size_t at = 0; at < line.size() && out.size() < kMaxLineBytes;) {
        if (line[at] != '$') {
            out += line[at++];
            continue;
        }
        if (line.substr(at, 2) == "$$") {
            out += '$';
            at += 2;
            continue;
        }
        // The longest name defined that the text goes on with: a lookup for each length of
        // name there is, not a look at each variable.
        const std::size_t wordEnd = std::min(line.find_first_of(" \t", at), line.size());
        std::size_t taken = 0;
        for (const std::size_t length : nameLengths_) {
            if (length > wordEnd - at) continue;
            if (const auto found = variables_.find(std::string(line.substr(at, length)));
                found != variables_.end()) {
                out += found->second;
                taken = length;
                break;
            }
        }
        if (taken == 0) out += line[at++];
        at += taken;
    }
    if (out.size() > kMaxLineBytes) out.resize(kMaxLineBytes);
    return out;
}

std::size_t SwayConfigReader::barWithId(std::string_view id) {
    for (std::size_t i = 0; i < bars_.size(); ++i) {
        if (bars_[i].id == id) return i;
    }
    bars_.emplace_back().id = id;
    return bars_.size() - 1;
}

std::size_t SwayConfigReader::newBar() {
    const std::string id = std::string(kBarIdPrefix) + std::to_string(bars_.size());
    bars_.emplace_back().id = id;
    return bars_.size() - 1;
}

void SwayConfigReader::set(std::size_t index, const std::vector<std::string>& setting) {
    if (setting.size() < 2) return;
    SwayBar& bar = bars_[index];
    const std::string_view name = setting[0];
    const std::string_view value = setting[1];
    // Mode and hidden state take one word; another is a bar id, which this bar's block or line
    // has already chosen.
    if (name == "mode") bar.mode = oneOf(value, kModes).value_or(bar.mode);
    if (name == "hidden_state")
        bar.hiddenState = oneOf(value, kHiddenStates).value_or(bar.hiddenState);
    if (name == "id") bar.id = value;
    if (name == "swaybar_command") {
        bar.command.clear();
        for (std::size_t w = 1; w < setting.size(); ++w) {
            if (w > 1) bar.command += ' ';
            bar.command += setting[w];
        }
    }
}

void SwayConfigReader::barLine(const std::vector<std::string>& words) {
    // "bar ID SETTING ...": the first word is an id when it is no setting and the next is one.
    const std::span<const std::string> rest(words.begin() + 1, words.end());
    if (rest.size() >= 2 && !isBarSetting(rest[0]) && isBarSetting(rest[1])) {
        lineBar_ = barWithId(rest[0]);
        set(*lineBar_, {rest.begin() + 1, rest.end()});
    } else if (!rest.empty() && isBarSetting(rest[0])) {
        if (!lineBar_) lineBar_ = newBar();
        set(*lineBar_, {rest.begin(), rest.end()});
    }
}

void SwayConfigReader::read(std::string_view text,
                            const std::function<void(const std::vector<std::string>&)>& include) {
    std::vector<std::vector<std::string>> blocks;  // the open blocks' header words
    std::size_t blockBar = kNoBar;                 // the bar the open bar block sets
    const std::vector<std::string> lines = logicalLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view line = lines[i];
        if (isComment(line)) continue;
        // A block closes with a line that is, or ends with, '}'.
        const bool closes = line == "}" || line.ends_with(" }") || line.ends_with("\t}");
        if (closes) line = trimmed(line.substr(0, line.size() - 1));
        // A block opens at the line's end, or on the next line that is not blank, alone.
        std::size_t next = i + 1;
        while (next < lines.size() && lines[next].empty()) ++next;
        const bool nextOpens = !closes && next < lines.size() && lines[next] == "{";
        const bool opens = !closes && (line.ends_with('{') || nextOpens);
        if (opens && line.ends_with('{')) line = trimmed(line.substr(0, line.size() - 1));

        const bool isSet = line.starts_with("set ");
        std::vector<std::string> words = swayWords(isSet ? line : withVariables(line));
        if (isSet && words.size() >= 3 && words[1].starts_with('$')) {
            // The name is kept as written; the value gets the variables before it.
            std::string value;
            for (std::size_t w = 2; w < words.size(); ++w) {
                if (w > 2) value += ' ';
                value += words[w];
            }
            if (words[1].size() <= kMaxNameLength) {
                variables_[words[1]] = withVariables(value);
                nameLengths_.insert(words[1].size());
            }
        } else if (opens) {
            if (nextOpens) i = next;
            if (blocks.empty() && !words.empty() && words.front() == kBar) {
                // A plain bar block's bar is made by its first setting; one with an id is
                // that bar.
                lineBar_.reset();
                if (words.size() >= 2) blockBar = barWithId(words[1]);
            }
            blocks.push_back(std::move(words));
        } else if (!blocks.empty()) {
            if (isBarBlock(blocks) && !words.empty()) {
                if (blockBar == kNoBar) blockBar = newBar();
                if (blocks.size() == 1) set(blockBar, words);
            }
        } else if (!words.empty() && words.front() == "include" && words.size() >= 2) {
            include(words);
        } else if (!words.empty() && words.front() == kBar) {
            barLine(words);
        }
        if (closes && !blocks.empty()) {
            if (blocks.size() == 1 && isBarBlock(blocks)) {
                blockBar = kNoBar;
                lineBar_.reset();
            }
            blocks.pop_back();
        }
    }
}

}  // namespace zarnel::linux_fs
