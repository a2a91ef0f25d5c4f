// Waybar's settings, JSON with comments: a text read as a value reads the same with a comment
// before it and anything at all after it, which is never read; a bar's bits are only the
// taskbar's two, the same whatever follows the settings, and the same when they include
// themselves.
#include <optional>
#include <string>

#include "fuzz/fuzz_input.h"
#include "platform/linux/json_text.h"
#include "platform/linux/waybar.h"
#include "platform/platform.h"

namespace {

using namespace zarnel;
using linux_fs::JsonValue;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::uint32_t kTaskbarBits = app_bar_state::kAutoHide | app_bar_state::kAlwaysOnTop;
// More files than the reader reads for one bar's settings.
constexpr int kMostIncludedFiles = 256;

bool sameValue(const JsonValue& a, const JsonValue& b) {
    if (a.kind != b.kind || a.boolean != b.boolean || a.text != b.text ||
        a.items.size() != b.items.size() || a.members.size() != b.members.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.items.size(); ++i) {
        if (!sameValue(a.items[i], b.items[i])) return false;
    }
    for (std::size_t i = 0; i < a.members.size(); ++i) {
        if (a.members[i].name != b.members[i].name ||
            !sameValue(a.members[i].value, b.members[i].value)) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::textOf(data, size);
    const auto value = linux_fs::parseJson(text);
    // (A byte order mark counts only at the very start, so such a text is not commented.)
    if (!text.starts_with(kByteOrderMark)) {
        const auto withComment = linux_fs::parseJson(fuzz::between("/* before */", text, ""));
        fuzz::require(value.has_value() == withComment.has_value());
        if (value) fuzz::require(sameValue(*value, *withComment));
    }

    const std::string followed = fuzz::between("", text, "\n]} \"unclosed /* unclosed");
    if (value) {
        const auto read = linux_fs::parseJson(followed);
        fuzz::require(read && sameValue(*read, *value));
    }

    const auto state = linux_fs::waybarState(text);
    if (state) {
        fuzz::require((*state & ~kTaskbarBits) == 0);
        fuzz::require(linux_fs::waybarState(followed) == state);
    }

    // Every include naming the settings themselves: a bar gains no key it lacks, however often
    // they include themselves, and they are read a bounded number of times.
    int reads = 0;
    const auto itself = [&](const std::string&) {
        ++reads;
        return std::optional<std::string>(text);
    };
    fuzz::require(linux_fs::waybarState(text, nullptr, itself) == state);
    fuzz::require(reads <= kMostIncludedFiles);
    return 0;
}
