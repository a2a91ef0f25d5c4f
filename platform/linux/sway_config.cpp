#include "platform/linux/sway_config.h"

#include <glob.h>

#include <algorithm>
#include <array>
#include <set>
#include <span>

#include "platform/linux/read_file.h"
#include "platform/platform.h"
#include "platform/text_fields.h"

namespace zarnel::linux_fs {
namespace {

using app_bar_state::kAlwaysOnTop;
using app_bar_state::kAutoHide;

constexpr std::string_view kBarBlock = "bar";
constexpr std::string_view kBarPrefix = "bar-";
constexpr std::string_view kDefaultProgram = "swaybar";
constexpr std::string_view kHide = "hide";
constexpr std::string_view kShow = "show";
constexpr std::string_view kInvisible = "invisible";
constexpr std::string_view kOverlay = "overlay";
// Deeper than any settings file includes; a file that includes itself by another name stops
// here.
constexpr int kMaxIncludeDepth = 16;

// A line's words; quotes keep blanks in a word and go.
std::vector<std::string> wordsOf(std::string_view line) {
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

// The words with the variables defined so far put in; the longest name first, as sway does.
std::vector<std::string> expanded(std::vector<std::string> words, const SwayVariables& variables) {
    for (std::string& word : words) {
        std::string_view best;
        for (const auto& [name, value] : variables) {
            if (word.starts_with(name) && name.size() > best.size()) best = name;
        }
        if (!best.empty()) word = variables.find(best)->second + word.substr(best.size());
    }
    return words;
}

SwayBar& barWithId(std::vector<SwayBar>& bars, std::string_view id) {
    for (SwayBar& bar : bars) {
        if (bar.id == id) return bar;
    }
    bars.emplace_back().id = id;
    return bars.back();
}

SwayBar& newBar(std::vector<SwayBar>& bars) {
    const std::string id = std::string(kBarPrefix) + std::to_string(bars.size());
    bars.emplace_back().id = id;
    return bars.back();
}

// One setting of a bar: `key` and the words after it.
void setBar(SwayBar& bar, std::string_view key, std::span<const std::string> values) {
    if (values.empty()) return;
    if (key == "mode") bar.mode = values.front();
    if (key == "hidden_state") bar.hiddenState = values.front();
    if (key == "id") bar.id = values.front();
    if (key == "swaybar_command") {
        bar.command.clear();
        for (const std::string& value : values) {
            if (!bar.command.empty()) bar.command += ' ';
            bar.command += value;
        }
    }
}

// The settings text's lines, each continued line joined to the next.
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

}  // namespace

void readSwayConfig(std::string_view text, std::vector<SwayBar>& bars, SwayVariables& variables,
                    const std::function<void(std::string_view)>& include) {
    std::vector<std::string> blocks;
    SwayBar* bar = nullptr;  // the bar whose block is open
    const std::vector<std::string> lines = logicalLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view line = lines[i];
        if (line.empty() || line.starts_with('#')) continue;
        if (line == "}") {
            if (!blocks.empty()) blocks.pop_back();
            if (blocks.empty()) bar = nullptr;
            continue;
        }
        // A block opens at the line's end, or on the next line, alone.
        const bool nextOpens = i + 1 < lines.size() && lines[i + 1] == "{";
        if (line.ends_with('{') || nextOpens) {
            if (nextOpens) ++i;
            const std::string name(
                trimmed(line.ends_with('{') ? line.substr(0, line.size() - 1) : line));
            if (blocks.empty() && name == kBarBlock) bar = &newBar(bars);
            blocks.push_back(name);
            continue;
        }
        std::vector<std::string> words = wordsOf(line);
        if (words.empty()) continue;
        // A variable's own name is not replaced where it is set.
        if (words.front() != "set") words = expanded(std::move(words), variables);
        const std::span<const std::string> rest(words.begin() + 1, words.end());
        if (bar != nullptr) {
            if (blocks.size() == 1) setBar(*bar, words.front(), rest);
            continue;
        }
        if (!blocks.empty()) continue;
        if (words.front() == "set" && rest.size() >= 2 && rest.front().starts_with('$')) {
            std::string value = rest[1];
            for (std::size_t w = 2; w < rest.size(); ++w) value += ' ' + rest[w];
            variables[rest.front()] = std::move(value);
        } else if (words.front() == "include" && !rest.empty()) {
            include(line.substr(line.find(words.front()) + words.front().size()));
        } else if (words.front() == kBarBlock && rest.size() >= 2) {
            // "bar mode hide" makes a bar; "bar ID mode hide" changes bar ID, or makes it.
            const bool named = rest.size() >= 3;
            SwayBar& target = named ? barWithId(bars, rest[0]) : newBar(bars);
            setBar(target, rest[named ? 1 : 0], rest.subspan(named ? 2 : 1));
        }
    }
}

std::uint32_t swaybarState(const SwayBar& bar) {
    if (bar.mode == kHide) return kAlwaysOnTop | (bar.hiddenState == kShow ? 0 : kAutoHide);
    if (bar.mode == kInvisible) return kAutoHide;
    if (bar.mode == kOverlay) return kAlwaysOnTop;
    return 0;
}

std::uint32_t followingBarState(const SwayBar& bar) {
    const bool hides = bar.mode == kInvisible || (bar.mode == kHide && bar.hiddenState != kShow);
    return kAlwaysOnTop | (hides ? kAutoHide : 0);
}

bool drawnBySwaybar(const SwayBar& bar) {
    if (bar.command.empty()) return true;
    const std::string_view program = std::string_view(bar.command).substr(0, bar.command.find(' '));
    return std::filesystem::path(program).filename() == kDefaultProgram;
}

std::vector<SwayBar> swayBars(const std::filesystem::path& root,
                              const std::filesystem::path& configHome,
                              const std::filesystem::path& home) {
    const std::array<std::filesystem::path, 6> candidates = {
        home / ".sway/config",    configHome / "sway/config", home / ".i3/config",
        configHome / "i3/config", "/etc/sway/config",         "/etc/i3/config"};
    std::vector<SwayBar> bars;
    SwayVariables variables;
    std::set<std::string> read;
    std::function<void(const std::filesystem::path&, int)> readFileAt;
    // The files a pattern of `folder`'s file names, found below the root.
    const auto filesOf = [&root, &home](std::string pattern, const std::filesystem::path& folder) {
        pattern = std::string(trimmed(pattern));
        for (const std::string_view homeWord : {"~", "$HOME", "${HOME}"}) {
            if (pattern.starts_with(homeWord)) {
                pattern = home.string() + pattern.substr(homeWord.size());
            }
        }
        const std::filesystem::path machinePath = folder / pattern;  // relative: to the folder
        glob_t found{};
        std::vector<std::filesystem::path> files;
        const std::string rooted = (root / machinePath.relative_path()).string();
        if (::glob(rooted.c_str(), 0, nullptr, &found) == 0) {
            const std::string rootText = root.string();
            for (std::size_t n = 0; n < found.gl_pathc; ++n) {
                const std::string_view match = found.gl_pathv[n];
                files.emplace_back(
                    std::filesystem::path("/") /
                    std::filesystem::path(match.substr(rootText.size())).relative_path());
            }
        }
        ::globfree(&found);
        return files;
    };
    readFileAt = [&](const std::filesystem::path& file, int depth) {
        if (depth > kMaxIncludeDepth || !read.insert(file.lexically_normal().string()).second) {
            return;
        }
        const auto text = readFile(root, file.relative_path(), FinalLink::Follow);
        if (!text) return;
        readSwayConfig(*text, bars, variables, [&](std::string_view pattern) {
            for (const std::filesystem::path& included :
                 filesOf(std::string(pattern), file.parent_path())) {
                readFileAt(included, depth + 1);
            }
        });
    };
    for (const std::filesystem::path& candidate : candidates) {
        if (readFile(root, candidate.relative_path(), FinalLink::Follow)) {
            readFileAt(candidate, 0);
            break;
        }
    }
    return bars;
}

}  // namespace zarnel::linux_fs
