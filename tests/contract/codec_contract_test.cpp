// What every system's ANSI codec promises, whichever conversion library it stands on.
#include <gtest/gtest.h>

#include "platform/codec.h"

namespace zarnel {
namespace {

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

// U+FFFD is EF BF BD in UTF-8.
TEST(AnsiCodecContract, EveryByteThatStartsNoCharacterBecomesOneReplacement) {
    const auto cp932 = makeAnsiCodec("CP932");
    EXPECT_EQ(cp932->toText("A\x81"), "A\xEF\xBF\xBD") << "lead byte at the end";
    EXPECT_EQ(cp932->toText("\x81 A"), "\xEF\xBF\xBD A") << "the space after it survives";

    const auto utf8 = makeAnsiCodec("UTF-8");
    EXPECT_EQ(utf8->toText("\xe6\x97"), "\xEF\xBF\xBD\xEF\xBF\xBD")
        << "a cut sequence, byte by byte";
    EXPECT_EQ(utf8->toText("ok\xffok"),
              "ok\xEF\xBF\xBD"
              "ok");
    const std::string fffd = "\xEF\xBF\xBD";
    EXPECT_EQ(utf8->toText("a\xF4\x90\x80\x80"
                           "b"),
              "a" + fffd + fffd + fffd + fffd + "b")
        << "past U+10FFFF";
    EXPECT_EQ(utf8->toText("\xF8\x88\x80\x80\x80"), fffd + fffd + fffd + fffd + fffd)
        << "an old five-byte form";
    EXPECT_EQ(utf8->toText("\xC0\xAF"), fffd + fffd) << "an overlong form";
    EXPECT_EQ(utf8->toText("\xED\xA0\x80"), fffd + fffd + fffd) << "a surrogate";
    EXPECT_EQ(utf8->toText("\xF0\x9F\x98\x80 \xE6\x97\xA5"), "\xF0\x9F\x98\x80 \xE6\x97\xA5");
}

// A folder path fills up to 259 bytes and grows by half from CP932 to UTF-8: a long text
// converts whole, with no replacement where a conversion buffer happens to fill.
TEST(AnsiCodecContract, LongTextConvertsWhole) {
    constexpr int kKanji = 129;             // 258 bytes in CP932, 387 in UTF-8
    constexpr std::size_t kLongName = 253;  // a 259-byte path
    std::string japanese;
    std::string cp932;
    for (int i = 0; i < kKanji; ++i) {
        japanese += "日";
        cp932 += "\x93\xfa";
    }
    EXPECT_EQ(makeAnsiCodec("CP932")->toText(cp932), japanese);
    EXPECT_EQ(makeAnsiCodec("CP932")->fromText(japanese), cp932);
    const std::string path = "/home/" + std::string(kLongName, 'a');
    EXPECT_EQ(makeAnsiCodec("UTF-8")->toText(path), path);
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
