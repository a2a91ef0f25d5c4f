// sway's settings: the bars it starts, as its `bar` blocks and lines describe them.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zarnel::linux_fs {

struct SwayBar {
    std::string id;  // "bar-0", "bar-1" in the order sway makes them, unless one is named
    std::string mode = "dock";         // dock, hide, invisible or overlay
    std::string hiddenState = "hide";  // hide or show: whether a bar in hide mode hides
    std::string command;  // swaybar_command: the program sway starts for it; empty for swaybar

    // Whether the bar is out of sight until summoned: invisible, or hide mode hiding.
    bool hides() const;
    // Whether swaybar puts it above windows, in the overlay layer: hide and overlay mode.
    bool above() const;
};

// sway's settings read text by text, as sway reads a file and those it includes: the bars so
// far (each made by the first setting for it, numbered as sway numbers it), the variables
// `set $name value` defines (put in wherever later lines name them, the longest name first;
// "$$" is a '$'), and the bar that `bar` lines outside a block set. Blocks open at the end of a
// line or on a line of their own; a line ending in '\' goes on in the next; '#' starts a
// comment line. `bar [ID] SETTING ...` outside a block sets bar ID, else the bar such lines
// set last; a block `bar [ID] { ... }` sets its own.
class SwayConfigReader {
  public:
    // One text; each `include` line's words, variables put in, are given to `include` where
    // the line stands, so that the files it names are read there.
    void read(std::string_view text,
              const std::function<void(const std::vector<std::string>&)>& include);
    const std::vector<SwayBar>& bars() const { return bars_; }

  private:
    std::size_t barWithId(std::string_view id);
    std::size_t newBar();
    void set(std::size_t bar, const std::vector<std::string>& setting);
    void barLine(const std::vector<std::string>& words);
    std::string withVariables(std::string_view line) const;

    std::vector<SwayBar> bars_;
    std::unordered_map<std::string, std::string> variables_;
    std::set<std::size_t, std::greater<>> nameLengths_;  // of the variables, longest first
    std::optional<std::size_t> lineBar_;                 // the bar `bar SETTING` lines set
};

// A line's words; quotes keep blanks in a word and go.
std::vector<std::string> swayWords(std::string_view line);

}  // namespace zarnel::linux_fs
