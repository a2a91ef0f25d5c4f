// The dumps' JSON reads back what it prints.
#include "tools/form-dump/win32/json.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace zarnel {
namespace {

using tools::Json;

TEST(Json, PrintedValuesReadBackEqual) {
    const Json value = Json::Object{
        {"name", "メモリ \"quoted\"\\"},
        {"list", Json::Array{1, -2.5, true, Json(), "a\nb"}},
        {"empty", Json::Object{}},
        {"none", Json::Array{}},
    };
    EXPECT_EQ(Json::parse(value.print()), value);
    EXPECT_EQ(value["list"].asArray()[1].asNumber(), -2.5);
    EXPECT_TRUE(value["absent"].isNull());
}

TEST(Json, KeysPrintSortedAndWholeNumbersWithoutFraction) {
    const Json value = Json::Object{{"b", 2}, {"a", 11.25}};
    EXPECT_EQ(value.print(), "{\n    \"a\": 11.25,\n    \"b\": 2\n}\n");
}

TEST(Json, EscapesAndSurrogatePairsDecode) {
    EXPECT_EQ(Json::parse(R"("\u30e1\ud83d\ude00\/\t")").asString(), "メ😀/\t");
}

TEST(Json, BrokenTextIsRefused) {
    // A high surrogate with no low one after it; escapes with a sign or a blank in them.
    for (const char* text : {"{\"a\" 1}", "[1, 2", "\"open", "tru", "{} {}", "\"\\ud800\"",
                             R"("\ud800\u0041")", R"("\u+041")", R"("\u 041")", R"("\u-001")"}) {
        EXPECT_THROW(Json::parse(text), std::invalid_argument) << text;
    }
}

}  // namespace
}  // namespace zarnel
