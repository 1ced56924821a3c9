#include <gtest/gtest.h>

#include <string>

#include "core/Utf8.h"

namespace kv {
namespace {

TEST(Utf8Decode, ValidSequencesOfEveryLength) {
    // 'A' (1), 'é' (2), 'あ' (3), U+1F600 (4).
    EXPECT_EQ(DecodeUtf8("A\xC3\xA9\xE3\x81\x82\xF0\x9F\x98\x80"),
              (std::u32string{U'A', U'\u00E9', U'\u3042', U'\U0001F600'}));
    std::string_view text = "\xEF\xBD\xB1x";  // half-width katakana 'ｱ' then 'x'
    size_t pos = 0;
    EXPECT_EQ(NextCodePoint(text, pos), U'\uFF71');
    EXPECT_EQ(pos, 3u);
    EXPECT_EQ(NextCodePoint(text, pos), U'x');
    EXPECT_EQ(pos, 4u);
}

TEST(Utf8Decode, LimitsOfTheRange) {
    EXPECT_EQ(DecodeUtf8("\xF4\x8F\xBF\xBF"), std::u32string{U'\U0010FFFF'});
    EXPECT_EQ(DecodeUtf8("\xEF\xBF\xBF"), std::u32string{U'\uFFFF'});
    EXPECT_EQ(DecodeUtf8("\xC2\x80"), std::u32string{U'\u0080'});
}

TEST(Utf8Decode, InvalidBytesGiveOneReplacementEach) {
    // A lone continuation byte, bytes that never start anything, a lead
    // byte followed by ASCII.
    EXPECT_EQ(DecodeUtf8("\x80"), std::u32string{U'\uFFFD'});
    EXPECT_EQ(DecodeUtf8("a\xFF\xFE"
                         "b"),
              (std::u32string{U'a', 0xFFFD, 0xFFFD, U'b'}));
    EXPECT_EQ(DecodeUtf8("\xE3"
                         "AB"),
              (std::u32string{0xFFFD, U'A', U'B'}));
    // A broken sequence resumes at the very next byte, so a valid character
    // straight after a stray lead byte survives.
    EXPECT_EQ(DecodeUtf8("\xE3\xE3\x81\x82"), (std::u32string{0xFFFD, U'\u3042'}));
}

TEST(Utf8Decode, OverlongSurrogateAndTooLargeAreRejected) {
    EXPECT_EQ(DecodeUtf8("\xC0\xAF"), (std::u32string{0xFFFD, 0xFFFD}));
    EXPECT_EQ(DecodeUtf8("\xE0\x80\xAF"), (std::u32string{0xFFFD, 0xFFFD, 0xFFFD}));
    EXPECT_EQ(DecodeUtf8("\xED\xA0\x80"), (std::u32string{0xFFFD, 0xFFFD, 0xFFFD}));
    EXPECT_EQ(DecodeUtf8("\xF4\x90\x80\x80"), (std::u32string(4, 0xFFFD)));
}

TEST(Utf8Decode, TruncatedSequenceAtTheEnd) {
    EXPECT_EQ(DecodeUtf8("x\xE3\x81"), (std::u32string{U'x', 0xFFFD, 0xFFFD}));
    EXPECT_EQ(DecodeUtf8("\xF0\x9F\x98"), (std::u32string(3, 0xFFFD)));
    std::string_view empty;
    size_t pos = 0;
    EXPECT_EQ(NextCodePoint(empty, pos), 0u);
    EXPECT_EQ(pos, 0u);
}

TEST(Utf8Encode, RoundTripsAndRefusesNonCharacters) {
    const std::u32string text{U'A', U'\u00E9', U'\u3042', U'\uFF71', U'\U0001F600'};
    EXPECT_EQ(DecodeUtf8(EncodeUtf8(text)), text);
    EXPECT_EQ(EncodeUtf8(U'\u3042'), "\xE3\x81\x82");
    EXPECT_EQ(EncodeUtf8(char32_t{0xD800}), "\xEF\xBF\xBD");
    EXPECT_EQ(EncodeUtf8(char32_t{0x110000}), "\xEF\xBF\xBD");
}

TEST(Utf8Cells, HalfWidthIsAsciiAndHalfWidthKatakana) {
    EXPECT_TRUE(IsHalfWidth(U'A'));
    EXPECT_TRUE(IsHalfWidth(U' '));
    EXPECT_TRUE(IsHalfWidth(U'~'));
    EXPECT_TRUE(IsHalfWidth(U'\t'));
    EXPECT_TRUE(IsHalfWidth(U'\uFF61'));
    EXPECT_TRUE(IsHalfWidth(U'\uFF9F'));
    EXPECT_FALSE(IsHalfWidth(U'\uFF60'));
    EXPECT_FALSE(IsHalfWidth(U'\uFFA0'));
    EXPECT_FALSE(IsHalfWidth(U'\u00E9'));  // not in the code page's single bytes
    EXPECT_FALSE(IsHalfWidth(U'\u3042'));
    EXPECT_FALSE(IsHalfWidth(U'\uFF21'));  // full-width 'Ａ'
}

TEST(Utf8Cells, CellWidthOfMixedText) {
    EXPECT_EQ(CellWidth(""), 0);
    EXPECT_EQ(CellWidth("HP"), 2);
    EXPECT_EQ(CellWidth("\xEF\xBC\xA1\xEF\xBC\xA2"
                        "C"),
              5);                                         // "ＡＢC"
    EXPECT_EQ(CellWidth("\xEF\xBD\xB1\xEF\xBD\xB2"), 2);  // "ｱｲ"
    EXPECT_EQ(CellWidth("\xE5\x89\xA3 10"), 5);           // "剣 10"
    EXPECT_EQ(CellWidth("\xFF"), 2);  // a broken byte shows as a full-width U+FFFD
}

TEST(Utf8Pop, RemovesWholeCodePoints) {
    std::string text = "a\xC3\xA9\xE3\x81\x82\xF0\x9F\x98\x80";
    PopCodePoint(text);
    EXPECT_EQ(text, "a\xC3\xA9\xE3\x81\x82");
    PopCodePoint(text);
    EXPECT_EQ(text, "a\xC3\xA9");
    PopCodePoint(text);
    EXPECT_EQ(text, "a");
    PopCodePoint(text);
    EXPECT_EQ(text, "");
    PopCodePoint(text);  // nothing left: no harm
    EXPECT_EQ(text, "");
}

TEST(Utf8Pop, BrokenTailGoesOneByteAtATime) {
    // Each stray byte decoded as one U+FFFD, so each Backspace takes one.
    std::string text = "x\xE3\x81";
    PopCodePoint(text);
    EXPECT_EQ(text, "x\xE3");
    PopCodePoint(text);
    EXPECT_EQ(text, "x");
    std::string continuations = "\x80\x80\x80\x80\x80";
    PopCodePoint(continuations);
    EXPECT_EQ(continuations, "\x80\x80\x80\x80");
}

}  // namespace
}  // namespace kv
