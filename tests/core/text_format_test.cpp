#include <gtest/gtest.h>

#include <string>

#include "core/TextFormat.h"

namespace kv {
namespace {

TEST(Wide, DigitsLettersAndSymbols) {
    EXPECT_EQ(Wide("0123456789"), "０１２３４５６７８９");
    EXPECT_EQ(Wide("AZaz"), "ＡＺａｚ");
    EXPECT_EQ(Wide("!-/:~"), "！－／：～");
    EXPECT_EQ(Wide(""), "");
}

TEST(Wide, SpaceBecomesIdeographicSpace) {
    EXPECT_EQ(Wide(" 1 "), "　１　");
}

TEST(Wide, FullWidthAndOtherTextIsUnchanged) {
    EXPECT_EQ(Wide("戦士ＬＶ　ガ"), "戦士ＬＶ　ガ");
    EXPECT_EQ(Wide("a\r\nb"), "ａ\r\nｂ");
    // An undecodable byte is passed through as it was, not replaced.
    EXPECT_EQ(Wide("1\xFF"), "１\xFF");
}

TEST(Wide, HalfWidthKatakana) {
    EXPECT_EQ(Wide("ｱｲｳｴｵﾝｰｯｧ"), "アイウエオンーッァ");
    EXPECT_EQ(Wide("｡｢｣､･ｦ"), "。「」、・ヲ");
}

TEST(Wide, VoicedMarksJoinTheirKana) {
    EXPECT_EQ(Wide("ｶﾞｷﾞﾄﾞ"), "ガギド");
    EXPECT_EQ(Wide("ﾊﾟﾋﾟﾎﾞ"), "パピボ");
    EXPECT_EQ(Wide("ｳﾞｧｲｽ"), "ヴァイス");
}

TEST(Wide, MarksThatCannotJoinStayMarks) {
    EXPECT_EQ(Wide("ﾏﾞ"), "マ゛");
    EXPECT_EQ(Wide("ｶﾟ"), "カ゜");
    EXPECT_EQ(Wide("ﾞ"), "゛");
    EXPECT_EQ(Wide("1ﾟ"), "１゜");
    EXPECT_EQ(Wide("ｶﾞﾞ"), "ガ゛");  // one mark per kana
}

TEST(Wide, Numbers) {
    EXPECT_EQ(WideNumber(0), "０");
    EXPECT_EQ(WideNumber(1200), "１２００");
    EXPECT_EQ(WideNumber(-35), "－３５");
}

TEST(FormatMask, RightFillPadsOnTheLeft) {
    EXPECT_EQ(FormatMask("12", "@@@@@"), "   12");
    EXPECT_EQ(FormatMask("", "@@@"), "   ");
    EXPECT_EQ(FormatMask("12345", "@@@@@"), "12345");
}

TEST(FormatMask, LeftFillPadsOnTheRight) {
    EXPECT_EQ(FormatMask("1", "!@@"), "1 ");
    EXPECT_EQ(FormatMask("", "!@@"), "  ");
    EXPECT_EQ(FormatMask("ab", "!@@"), "ab");
}

TEST(FormatMask, PositionsCountCharactersNotBytes) {
    EXPECT_EQ(FormatMask("戦士", "@@@@"), "  戦士");
    EXPECT_EQ(FormatMask("人間", "!@@@"), "人間 ");
}

TEST(FormatMask, OtherMaskCharactersAreLiterals) {
    // The class label column: a space, then five positions.
    EXPECT_EQ(FormatMask("Ｌ－戦士", "! @@@@@"), " Ｌ－戦士 ");
    EXPECT_EQ(FormatMask("ab", "@@:@@"), "  :ab");
    EXPECT_EQ(FormatMask("abc", "@@:@@"), " a:bc");
    EXPECT_EQ(FormatMask("abc", "!@@:@@"), "ab:c ");
    EXPECT_EQ(FormatMask("x", "!@：@"), "x： ");
}

TEST(FormatMask, LongerValuesLoseNothing) {
    EXPECT_EQ(FormatMask("123456", "@@@"), "123456");
    EXPECT_EQ(FormatMask("123456", "!@@@"), "123456");
    // Right fill keeps the excess in front, left fill puts it after the mask.
    EXPECT_EQ(FormatMask("123456", "@@-@@"),
              "12"
              "34-56");
    EXPECT_EQ(FormatMask("123456", "!@@-@@"),
              "12-34"
              "56");
    EXPECT_EQ(FormatMask("abc", ""), "abc");
    EXPECT_EQ(FormatMask("abc", "!"), "abc");
}

TEST(FormatMask, RosterRow) {
    // Row number, name, level, class label and race, then the whole row wide.
    const std::string row = FormatMask("1", "!@@") + "）" + FormatMask("ｹｲ", "!@@@@@@@@@@@@ ") +
                            "ＬＶ" + FormatMask("12", "@@@@@") + FormatMask("Ｌ－戦士", "! @@@@@") +
                            FormatMask("人間", "! @@@ ");
    EXPECT_EQ(Wide(row),
              "１　）ケイ"
              "　　　　　　　　　　　"  // 10 padding positions and the mask's own space
              "ＬＶ　　　１２"
              "　Ｌ－戦士　"
              "　人間　　");
}

}  // namespace
}  // namespace kv
