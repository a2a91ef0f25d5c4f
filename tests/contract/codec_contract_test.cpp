// What every system's ANSI codec promises, whichever conversion library it stands on.
#include <gtest/gtest.h>

#include "platform/codec.h"

namespace zarnel {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

std::string replacements(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += kReplacement;
    return text;
}

TEST(AnsiCodecContract, Cp932RoundTripsJapaneseText) {
    const auto codec = makeAnsiCodec("CP932");
    const std::string text = "日本語のラベル、ｶﾅ";
    const std::string bytes = codec->fromText(text);
    EXPECT_EQ(bytes, "\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x83\x89\x83\x78\x83\x8b\x81\x41\xb6\xc5");
    EXPECT_EQ(codec->toText(bytes), text);
}

TEST(AnsiCodecContract, EachCharacterThePageLacksBecomesOneQuestionMark) {
    const auto codec = makeAnsiCodec("CP932");
    EXPECT_EQ(codec->fromText("é"), "?") << "never a look-alike, never one '?' per byte";
    EXPECT_EQ(codec->fromText("ñandú"), "?and?");
    EXPECT_EQ(codec->fromText("a😀b"), "a?b") << "a character beyond 16 bits is one character";
    EXPECT_EQ(codec->fromText("日é本"), "\x93\xfa?\x96\x7b");
}

TEST(AnsiCodecContract, EveryByteThatStartsNoCharacterBecomesOneReplacement) {
    const auto cp932 = makeAnsiCodec("CP932");
    EXPECT_EQ(cp932->toText("A\x81"), "A" + replacements(1)) << "lead byte at the end";
    EXPECT_EQ(cp932->toText("\x81 A"), replacements(1) + " A") << "the space after it survives";

    const auto utf8 = makeAnsiCodec("UTF-8");
    EXPECT_EQ(utf8->toText("\xe6\x97"), replacements(2)) << "a cut sequence, byte by byte";
    EXPECT_EQ(utf8->toText("ok\xffok"), "ok" + replacements(1) + "ok");
}

TEST(AnsiCodecContract, Utf8PassesTextThrough) {
    const auto codec = makeAnsiCodec("UTF-8");
    EXPECT_EQ(codec->fromText("é日本😀"), "é日本😀");
    EXPECT_EQ(codec->toText("é日本😀"), "é日本😀");
}

TEST(AnsiCodecContract, BufferTextEndsAtTheFirstNul) {
    const auto codec = makeAnsiCodec("CP932");
    const std::string buffer("\x93\xfa\x96\x7b\0garbage", 12);
    EXPECT_EQ(textBeforeNul(*codec, buffer), "日本");
    EXPECT_EQ(textBeforeNul(*codec, std::string(4, '\0')), "");
}

TEST(AnsiCodecContract, UnknownCodePageIsRefused) {
    EXPECT_THROW(makeAnsiCodec("CP99999"), std::invalid_argument);
}

}  // namespace
}  // namespace zarnel
