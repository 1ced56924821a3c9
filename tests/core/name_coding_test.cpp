#include <gtest/gtest.h>

#include <array>
#include <string>

#include "core/NameCoding.h"

namespace kv {
namespace {

using NameArray = std::array<int16_t, 51>;  // Integer[0..50]

std::string Repeat(const std::string& piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += piece;
    return out;
}

TEST(NameCoding, StoredValuesAreCodeXorTenThousand) {
    NameArray codes{};
    EncodeName("A戦", codes, 1, 50);
    EXPECT_EQ(codes[1], 10065);   // 0x41 ^ 0x2710
    EXPECT_EQ(codes[2], -18435);  // 0x90ED as signed, ^ 0x2710 = 0xB7FD
    EXPECT_EQ(codes[3], 0);
    EXPECT_EQ(codes[0], 0);
}

TEST(NameCoding, DoubleByteNameRoundTrips) {
    NameArray codes{};
    const std::string name = "ワルキュリアの髙橋①～ｶﾞ";
    EncodeName(name, codes, 1, 50);
    EXPECT_EQ(DecodeName(codes, 1, 50), name);
}

TEST(NameCoding, FiftyCharactersFillOneToFifty) {
    NameArray codes{};
    codes[0] = 1234;  // element 0 is not the name's business
    const std::string name = Repeat("魔", 50);
    EncodeName(name, codes, 1, 50);
    EXPECT_EQ(codes[0], 1234);
    for (int i = 1; i <= 50; ++i) EXPECT_NE(codes[i], 0) << i;
    EXPECT_EQ(DecodeName(codes, 1, 50), name);
}

TEST(NameCoding, LongerNameIsCut) {
    NameArray codes{};
    EncodeName(Repeat("あ", 50) + "い", codes, 1, 50);
    EXPECT_EQ(DecodeName(codes, 1, 50), Repeat("あ", 50));

    std::array<int16_t, 21> subName{};  // Integer[0..20]
    EncodeName(Repeat("x", 25), subName, 1, 20);
    EXPECT_EQ(DecodeName(subName, 1, 20), Repeat("x", 20));
}

TEST(NameCoding, ReencodingClearsTheOldName) {
    NameArray codes{};
    EncodeName("とても長い名前です", codes, 1, 50);
    EncodeName("短", codes, 1, 50);
    EXPECT_EQ(DecodeName(codes, 1, 50), "短");
    EXPECT_EQ(codes[2], 0);
    EncodeName("", codes, 1, 50);
    EXPECT_EQ(DecodeName(codes, 1, 50), "");
}

TEST(NameCoding, ZeroElementsAreSkipped) {
    NameArray codes{};
    EncodeName("ABC", codes, 1, 50);
    codes[5] = codes[2];  // B again after a gap
    codes[2] = 0;
    EXPECT_EQ(DecodeName(codes, 1, 50), "ACB");
}

TEST(NameCoding, RangeIsClampedToTheArray) {
    std::array<int16_t, 4> codes{};
    EncodeName("abcdef", codes, 1, 50);
    EXPECT_EQ(DecodeName(codes, 1, 50), "abc");
    EXPECT_EQ(DecodeName(codes, 2, 2), "b");
    EXPECT_EQ(DecodeName(codes, 3, 1), "");
    EXPECT_EQ(DecodeName(std::span<const int16_t>(), 1, 50), "");
    EncodeName("zz", std::span<int16_t>(), 1, 50);  // nothing to write into, no harm
}

TEST(NameCoding, UnrepresentableCharacterIsStoredAsQuestionMark) {
    NameArray codes{};
    EncodeName("a\xF0\x9F\x98\x80", codes, 1, 50);
    EXPECT_EQ(codes[2], 0x3F ^ 10000);
    EXPECT_EQ(DecodeName(codes, 1, 50), "a?");
}

TEST(NameCoding, EveryNonZeroElementSurvivesDecodeAndEncode) {
    // Data tools may have written anything, including the duplicate and
    // undefined codes; a loaded and saved name must keep every element.
    int failures = 0;
    for (int value = -32768; value <= 32767 && failures < 10; ++value) {
        if (value == 0) continue;
        std::array<int16_t, 2> codes{0, static_cast<int16_t>(value)};
        const std::string text = DecodeName(codes, 1, 1);
        std::array<int16_t, 2> again{};
        EncodeName(text, again, 1, 1);
        if (again[1] != value) {
            ADD_FAILURE() << "element " << value << " came back as " << again[1];
            ++failures;
        }
    }
}

}  // namespace
}  // namespace kv
