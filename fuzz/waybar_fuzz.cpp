// Waybar's settings, JSON with comments: a text read as a value reads the same with comments
// around it and as the one item of an array; a bar's bits are only the taskbar's two, the same
// for one bar's object and for an array holding it.
#include <string>

#include "fuzz/fuzz_input.h"
#include "platform/linux/json_text.h"
#include "platform/linux/waybar.h"
#include "platform/platform.h"

namespace {

using namespace zarnel;
using linux_fs::JsonValue;

constexpr std::uint32_t kTaskbarBits = app_bar_state::kAutoHide | app_bar_state::kAlwaysOnTop;

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

// `text` between `before` and `after`. (Appended piece by piece: GCC 12 takes a chain of
// string additions for an overlapping copy.)
std::string between(std::string_view before, std::string_view text, std::string_view after) {
    std::string joined;
    joined.reserve(before.size() + text.size() + after.size());
    joined.append(before).append(text).append(after);
    return joined;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::textOf(data, size);
    const auto value = linux_fs::parseJson(text);
    const std::string commented = between("/* before */", text, "\n// after\n");
    const auto withComments = linux_fs::parseJson(commented);
    fuzz::require(value.has_value() == withComments.has_value());
    if (value) fuzz::require(sameValue(*value, *withComments));

    const std::string wrapped = between("[", text, "\n]");
    const auto array = linux_fs::parseJson(wrapped);
    if (value) {
        fuzz::require(array && array->items.size() == 1 && sameValue(array->items[0], *value));
    }

    const auto state = linux_fs::waybarState(text);
    if (state) fuzz::require((*state & ~kTaskbarBits) == 0);
    if (value && value->kind == JsonValue::Kind::Object) {
        fuzz::require(linux_fs::waybarState(wrapped) == state);
    }
    return 0;
}
