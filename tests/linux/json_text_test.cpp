// Settings files written in JSON with comments, as a status bar keeps its own.
#include "platform/linux/json_text.h"

#include <gtest/gtest.h>

#include <string>

namespace zarnel {
namespace {

using linux_fs::JsonValue;
using linux_fs::parseJson;

// A bar's settings as users write them: comments of both kinds, a "//" inside a string that
// is no comment, nesting, commas after the last member and item, and a name given twice, of
// which the reader takes the last.
TEST(JsonText, ReadsSettingsWithCommentsAndTakesTheLastOfANameGivenTwice) {
    const auto value = parseJson(R"(// top bar
[
  {
    "layer": "bottom", /* changed below */
    "modules-left": ["sway/workspaces", "custom/url"],
    "custom/url": {"exec": "echo https://example.org // not a comment", "interval": 30},
    "start_hidden": false,
    "layer": "top",
    "height": null
  },
  {"output": "HDMI-A-1", "mode": "hide", "exclusive": true, "modules-right": ["clock",],},
]
)");
    ASSERT_TRUE(value);
    ASSERT_EQ(value->kind, JsonValue::Kind::Array);
    ASSERT_EQ(value->items.size(), 2U);
    const JsonValue& top = value->items[0];
    EXPECT_EQ(top.member("layer")->string(), "top");
    EXPECT_EQ(top.member("custom/url")->member("exec")->string(),
              "echo https://example.org // not a comment");
    EXPECT_EQ(top.member("custom/url")->member("interval")->text, "30");
    EXPECT_EQ(top.member("modules-left")->items.at(1).string(), "custom/url");
    EXPECT_EQ(top.member("start_hidden")->kind, JsonValue::Kind::Boolean);
    EXPECT_FALSE(top.member("start_hidden")->boolean);
    EXPECT_EQ(top.member("height")->kind, JsonValue::Kind::Null);
    EXPECT_EQ(top.member("mode"), nullptr);
    EXPECT_TRUE(value->items[1].member("exclusive")->boolean);
    EXPECT_EQ(value->items[1].member("modules-right")->items.size(), 1U);
    // A name's value is no string, and a string has no members.
    EXPECT_EQ(top.member("start_hidden")->string(), std::nullopt);
    EXPECT_EQ(top.member("layer")->member("layer"), nullptr);
}

// Every escape, characters of each UTF-8 length, and a second half of a pair alone, which
// stands for no character.
TEST(JsonText, DecodesEscapesToUtf8) {
    const auto value = parseJson(R"("a\"b\\c\/d\b\f\n\r\t\u0041\u00e9\u65e5\ud83d\ude00\ude00")");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->string(),
              "a\"b\\c/d\b\f\n\r\tA\xc3\xa9\xe6\x97\xa5\xf0\x9f\x98\x80\xef\xbf\xbd");
}

// A settings file is read as far as its value goes: what follows is not read, and a byte
// order mark before it is skipped.
TEST(JsonText, ReadsTheValueATextStartsWith) {
    const auto withText = parseJson(R"({"layer": "top"} } trailing /* unclosed)");
    ASSERT_TRUE(withText);
    EXPECT_EQ(withText->member("layer")->string(), "top");
    const auto marked = parseJson("\xEF\xBB\xBF[1, 2]");
    ASSERT_TRUE(marked);
    EXPECT_EQ(marked->items.size(), 2U);
}

// What is no JSON value is nothing at all, never half a value.
TEST(JsonText, RefusesWhatIsNoValue) {
    for (const std::string text : {
             "",
             "{",
             R"({"a": 1)",
             R"({"a" 1})",
             R"({a: 1})",
             R"(["unclosed)",
             R"("bad escape \q")",
             R"("half a pair \ud83d")",
             R"("\u12")",
             "tru",
             "[1 2]",
             "[1,,]",
             "{,}",
             "[,]",
         }) {
        EXPECT_EQ(parseJson(text), std::nullopt) << text;
    }
}

// Nesting as deep as a settings file could is read; a hostile text nested deeper is refused
// rather than taking the stack.
TEST(JsonText, RefusesNestingDeeperThanSettingsGo) {
    const auto nested = [](int depth) {
        return std::string(depth, '[') + "1" + std::string(depth, ']');
    };
    EXPECT_TRUE(parseJson(nested(64)));
    EXPECT_EQ(parseJson(nested(65)), std::nullopt);
    EXPECT_EQ(parseJson(nested(1'000'000)), std::nullopt);
}

}  // namespace
}  // namespace zarnel
