#include <gtest/gtest.h>

#include <string>

#include "core/Cp932.h"
#include "core/Utf8.h"

namespace kv {
namespace {

std::string Bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) out.push_back(static_cast<char>(v));
    return out;
}

std::string RoundTrip(const std::string& bytes) {
    return Utf8ToCp932(Cp932ToUtf8(bytes));
}

TEST(Cp932Lossless, EverySingleByte) {
    for (int b = 0; b < 256; ++b) {
        const std::string bytes = Bytes({b});
        EXPECT_EQ(RoundTrip(bytes), bytes) << "byte " << b;
    }
}

TEST(Cp932Lossless, EveryTwoBytePair) {
    int failures = 0;
    for (int code = 0; code < 0x10000 && failures < 10; ++code) {
        const std::string bytes = Bytes({code >> 8, code & 0xFF});
        if (RoundTrip(bytes) != bytes) {
            ADD_FAILURE() << "pair " << std::hex << code;
            ++failures;
        }
    }
}

TEST(Cp932Lossless, EveryCodeThroughItsCharacter) {
    int failures = 0;
    for (int code = 0; code < 0x10000 && failures < 10; ++code) {
        const char32_t c = Cp932CodeToUnicode(static_cast<uint16_t>(code));
        const auto back = UnicodeToCp932Code(c);
        if (!back || *back != code) {
            ADD_FAILURE() << "code " << std::hex << code;
            ++failures;
        }
    }
}

TEST(Cp932Lossless, GarbageRunsSurviveWhole) {
    // Stray lead bytes, lead bytes before bytes that cannot trail, undefined
    // pairs and a lead byte at the very end, all in one text.
    const std::string garbage =
        Bytes({0x81, 0x0A, 0x41, 0x85, 0x40, 0xFF, 0x80, 0xA0, 0xFD, 0x82, 0xA0, 0x90, 0x7F, 0xE0});
    EXPECT_EQ(RoundTrip(garbage), garbage);
    std::string everyByte;
    for (int b = 255; b >= 0; --b) everyByte.push_back(static_cast<char>(b));
    EXPECT_EQ(RoundTrip(everyByte), everyByte);
}

TEST(Cp932Decode, LeadByteAtTheEndIsOneRawByte) {
    EXPECT_EQ(DecodeUtf8(Cp932ToUtf8(Bytes({0x41, 0x81}))),
              (std::u32string{U'A', RawCodeBase + 0x81}));
}

TEST(Cp932Decode, LeadByteBeforeANonTrailStandsAlone) {
    // The newline after the stray lead byte is kept as a newline.
    EXPECT_EQ(DecodeUtf8(Cp932ToUtf8(Bytes({0x81, 0x0A, 0x42}))),
              (std::u32string{RawCodeBase + 0x81, U'\n', U'B'}));
}

TEST(Cp932Decode, UndefinedPairIsOneRawCode) {
    EXPECT_EQ(DecodeUtf8(Cp932ToUtf8(Bytes({0x85, 0x40}))), std::u32string{RawCodeBase + 0x8540});
}

TEST(Cp932Decode, HalfWidthKatakanaAreSingleBytes) {
    for (int b = 0xA1; b <= 0xDF; ++b) {
        EXPECT_EQ(Cp932CodeToUnicode(static_cast<uint16_t>(b)), 0xFF61u + (b - 0xA1)) << b;
    }
    EXPECT_EQ(Cp932ToUtf8(Bytes({0xB6, 0xDE})), "ｶﾞ");
}

TEST(Cp932Decode, OrdinaryText) {
    EXPECT_EQ(Cp932ToUtf8(Bytes({0x90, 0xED, 0x8E, 0x6D, 0x41, 0x5C, 0x7E})), "戦士A\\~");
    EXPECT_EQ(Utf8ToCp932("戦士A\\~"), Bytes({0x90, 0xED, 0x8E, 0x6D, 0x41, 0x5C, 0x7E}));
    EXPECT_EQ(Cp932ToUtf8(""), "");
}

TEST(Cp932Characters, TheOnesShiftJisGetsWrong) {
    const struct {
        const char* Text;
        uint16_t Code;
    } cases[] = {
        {"～", 0x8160}, {"－", 0x817C}, {"①", 0x8740},
        {"髙", 0xFBFC}, {"∥", 0x8161},  {"￢", 0x81CA},
    };
    for (const auto& item : cases) {
        const std::u32string text = DecodeUtf8(item.Text);
        ASSERT_EQ(text.size(), 1u);
        EXPECT_EQ(UnicodeToCp932Code(text[0]), item.Code) << item.Text;
        EXPECT_EQ(Cp932CodeToUnicode(item.Code), text[0]) << item.Text;
        EXPECT_EQ(Utf8ToCp932(item.Text), Bytes({item.Code >> 8, item.Code & 0xFF})) << item.Text;
    }
}

TEST(Cp932Characters, DuplicateCodesKeepTheirOwnBytes) {
    // 87 90 and 81 E0 are both ≒; only 81 E0 is the character, 87 90 stays raw.
    EXPECT_EQ(Cp932ToUtf8(Bytes({0x81, 0xE0})), "≒");
    EXPECT_EQ(Cp932CodeToUnicode(0x8790), RawCodeBase + 0x8790);
    EXPECT_EQ(Cp932CodeToUnicode(0xED40), RawCodeBase + 0xED40);
    EXPECT_EQ(Cp932CodeToUnicode(0xEEF9), RawCodeBase + 0xEEF9);
    EXPECT_EQ(Cp932ToUtf8(Bytes({0xFA, 0x5C})), "纊");
    EXPECT_EQ(Utf8ToCp932("≒纊￢"), Bytes({0x81, 0xE0, 0xFA, 0x5C, 0x81, 0xCA}));
}

TEST(Cp932Encode, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToCp932("a\xF0\x9F\x98\x80z"), "a?z");  // an emoji
    EXPECT_EQ(Utf8ToCp932("한"), "?");
    EXPECT_FALSE(UnicodeToCp932Code(U'\U0001F600').has_value());
    EXPECT_FALSE(UnicodeToCp932Code(0x110000).has_value());
    // Broken UTF-8 from outside is no crash either.
    EXPECT_EQ(Utf8ToCp932("\xE3\x81"), "??");
}

TEST(Cp932Encode, RawCodesBecomeTheirBytes) {
    EXPECT_EQ(Utf8ToCp932(EncodeUtf8(RawCodeBase + 0x8790)), Bytes({0x87, 0x90}));
    EXPECT_EQ(Utf8ToCp932(EncodeUtf8(RawCodeBase + 0xFF)), Bytes({0xFF}));
    EXPECT_EQ(Utf8ToCp932(EncodeUtf8(RawCodeBase + 0x00)), Bytes({0x00}));
}

}  // namespace
}  // namespace kv
