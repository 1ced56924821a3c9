#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "core/StringTable.h"
#include "core/StringTableParse.h"
#include "core/Utf8.h"

namespace kv {
namespace {

// The numbers the game's messages use; the table holds exactly these.
constexpr std::array<std::pair<int, int>, 20> InUse{{
    {1, 1},       {200, 205},   {302, 310},   {478, 478},   {500, 501},
    {653, 656},   {701, 708},   {995, 999},   {1001, 1096}, {1100, 1110},
    {1115, 1117}, {1201, 1218}, {1300, 1334}, {1400, 1402}, {1421, 1426},
    {2256, 2258}, {3000, 3039}, {3017, 3019}, {4000, 4057}, {4204, 4214},
}};

TEST(StringTable, HoldsExactlyTheNumbersInUse) {
    std::vector<int> expected;
    for (const auto& [first, last] : InUse) {
        for (int id = first; id <= last; ++id) expected.push_back(id);
    }
    std::sort(expected.begin(), expected.end());
    expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
    EXPECT_EQ(ResStringIds(), expected);
    EXPECT_EQ(expected.size(), 320u);
}

TEST(StringTable, IdsAscendAndEachHasText) {
    const std::vector<int> ids = ResStringIds();
    ASSERT_FALSE(ids.empty());
    for (size_t i = 1; i < ids.size(); ++i) EXPECT_LT(ids[i - 1], ids[i]);
    for (int id : ids) {
        EXPECT_TRUE(HasResString(id)) << id;
        EXPECT_FALSE(ResStringNumber(id).empty()) << id;
    }
}

TEST(StringTable, EmbeddedFileIsClean) {
    std::vector<std::string> errors;
    const auto entries = ParseStringTable(EmbeddedStringTableText(), &errors);
    EXPECT_TRUE(errors.empty()) << errors.front();
    EXPECT_EQ(entries.size(), ResStringIds().size());
}

TEST(StringTable, EveryTextIsDecodedUtf8) {
    for (int id : ResStringIds()) {
        const std::string_view text = ResStringNumber(id);
        EXPECT_EQ(text.find('\\'), std::string_view::npos) << "undecoded escape in " << id;
        EXPECT_EQ(DecodeUtf8(text).find(U'\uFFFD'), std::u32string::npos) << "bad UTF-8 in " << id;
    }
}

TEST(StringTable, UnknownIdsGiveNothing) {
    for (int id : {0, -1, 2, 199, 206, 700, 709, 1000, 1111, 1420, 4200, 4215, 8501, 8529, 99999}) {
        EXPECT_FALSE(HasResString(id)) << id;
        EXPECT_EQ(ResStringNumber(id), "") << id;
    }
}

TEST(StringTable, EndingTextsKeepTheirBreaks) {
    EXPECT_EQ(ResStringNumber(200), "○▼▼▼▼▼▼▼▼○\n\nCongratulations!! \r\n\n\n●△△△△△△△△●");
    EXPECT_EQ(ResStringNumber(201),
              "\nあなたは幾多の苦難をのりこえ\n女帝セミラミスを打ち破ることに成功しました");
    EXPECT_EQ(ResStringNumber(202), "その知恵と努力を賞賛し、\nここに階級章をささげます");
    EXPECT_EQ(ResStringNumber(203),
              "\nご安心下さい、\nもちろん、このままKorvaneを\n続けることが可能ですよ");
    EXPECT_EQ(ResStringNumber(204), "Korvane - Brimmel - The End");
    EXPECT_EQ(ResStringNumber(205), "Thank you!");
}

TEST(StringTable, StatisticNamesInLevelUpOrder) {
    constexpr std::array<const char*, 8> Names{"力",     "知恵",   "信仰心", "生命力",
                                               "素早さ", "器用さ", "運",     "魅力"};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(ResStringNumber(701 + i), Names[i]) << 701 + i;
}

TEST(StringTable, MessagesThatFollowAName) {
    EXPECT_EQ(ResStringNumber(1066), "は\n死んだ・・・");
    EXPECT_EQ(ResStringNumber(1024), "は\n");
    EXPECT_EQ(ResStringNumber(1021), "は\n灰燼と化した！！");
    EXPECT_EQ(ResStringNumber(3002), "は\nロストした！！！");
    EXPECT_EQ(ResStringNumber(4055), "からアイテムを盗み\nそして逃げ出した\n");
    // The messages of inflicted conditions all read after the victim's name.
    for (int id : {1021, 1066, 1067, 1068, 1069, 1070, 1071, 1072, 1073, 1081, 1082,
                   1083, 1084, 1085, 1086, 1087, 1088, 1089, 3002, 3003, 3004, 3005}) {
        EXPECT_EQ(ResStringNumber(id).substr(0, 4), "は\n") << id;
    }
}

TEST(StringTable, QuotedTextsExactly) {
    const std::vector<std::pair<int, const char*>> quoted{
        {310, "今はその魔法はつかえない"},
        {500, "ようこそ宿へ\n誰が入りますか？\n番号を選んで下さい\nＥＳＣ or ＢＳでぬける"},
        {501, "どのアイテムを製作しますか？\nＥＳＣ or ＢＳでぬける\n"},
        {998, "「ここに踏みとどまりますか？」"},
        {1004, "北を向いています"},
        {1007, "西を向いています"},
        {1022, "消滅した！！"},
        {1063, "パーティーを組んでいません"},
        {1093, "のダメージをうけた"},
        {1100, "戦士"},
        {1110, "錬金術師"},
        {3019, "武闘家"},
        {1311, "F)戦う"},
        {1334, "V)歌"},
        {1400, "ゴルドラン店主"},
        {1401, "アルセア寺院の僧侶"},
        {1402, "宿屋の主人"},
        {1421, "石造りの淵"},
        {1426, "エデン"},
        {3014, "に　"},
        {3024, "？？？？？？？？？？？？？？？？？ "},  // the trailing space is part of the column
        {3025, "\nＥｎｔｅｒで決定  Ｅｓｃ or ＢＳで抜ける"},
        {3038, "種族、属性が変わりました\nもう一度装備をやり直してください"},
        {4050, "は\n－Ｍｏｒｒｏｗｇａｔｅ－を行使した"},
        {4204, "炎の渦"},
        {4214, "神秘の力"},
    };
    for (const auto& [id, text] : quoted) EXPECT_EQ(ResStringNumber(id), text) << id;
}

TEST(StringTable, StatusDialogCommandsAreDistinct) {
    // The status dialog finds its command by comparing row texts.
    std::vector<std::string_view> texts;
    for (int id :
         {1300, 1301, 1302, 1303, 1304, 1305, 1306, 1307, 1322, 1323, 1324, 1325, 1329, 1331}) {
        texts.push_back(ResStringNumber(id));
    }
    for (const std::string_view want :
         {"S)呪文を唱える", "E)装備", "T)渡す", "U)使う", "P)お金を集める", "D)捨てる", "K)スキル",
          "I)識別する", "J)鑑定", "M)錬金術", "N)次へ", "B)前へ", "R)呪文書を読む", "L)戻る"}) {
        EXPECT_EQ(std::count(texts.begin(), texts.end(), want), 1) << want;
    }
}

TEST(StringTableParse, DecodesEscapesAndSkipsComments) {
    std::vector<std::string> errors;
    const auto entries = ParseStringTable(
        "# heading\n\n5\ta\\nb\\rc\\td\\\\e\t# ours\n7\tplain\r\n8\tNamed8\tnamed\t# c\n"
        "9\tlast without newline",
        &errors);
    EXPECT_TRUE(errors.empty());
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].Id, 5);
    EXPECT_EQ(entries[0].Text, "a\nb\rc\td\\e");
    EXPECT_EQ(entries[1].Text, "plain");
    EXPECT_EQ(entries[2].Text, "named");  // the name is the code's, not the text's
    EXPECT_EQ(entries[3].Id, 9);
    EXPECT_EQ(entries[3].Text, "last without newline");
}

TEST(StringTableParse, ReportsFaultyLinesAndKeepsTheRest) {
    std::vector<std::string> errors;
    const auto entries = ParseStringTable(
        "1\tok\n"
        "no tab here\n"
        "x2\ttext\n"
        "03\tleading zero\n"
        "4\t\n"
        "5\tbad \\q escape\n"
        "6\tends in \\\n"
        "7\ttext\tnot a comment\n"
        "1\tagain\n"
        "9999999\ttoo big\n"
        "8\tfine\n",
        &errors);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].Id, 1);
    EXPECT_EQ(entries[0].Text, "ok");  // the first of a repeated number wins
    EXPECT_EQ(entries[1].Id, 8);
    ASSERT_EQ(errors.size(), 9u);
    EXPECT_EQ(errors[0], "line 2: expected a number, a TAB and the text");
    EXPECT_EQ(errors[1], "line 3: 'x2' is not an entry number");
    EXPECT_EQ(errors[2], "line 4: '03' is not an entry number");
    EXPECT_EQ(errors[3], "line 5: entry 4 has no text");
    EXPECT_EQ(errors[4], "line 6: entry 5 has an unknown escape");
    EXPECT_EQ(errors[5], "line 7: entry 6 has an unknown escape");
    EXPECT_EQ(errors[6], "line 8: after the text a TAB may only start a '#' comment");
    EXPECT_EQ(errors[7], "line 9: entry 1 appears twice");
    EXPECT_EQ(errors[8], "line 10: '9999999' is not an entry number");
}

TEST(StringTableParse, SortsOutOfOrderEntriesAndSaysSo) {
    std::vector<std::string> errors;
    const auto entries = ParseStringTable("9\tnine\n4\tfour\n", &errors);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].Id, 4);
    EXPECT_EQ(entries[1].Id, 9);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "line 2: entry 4 is out of order");
}

TEST(StringTableParse, SurvivesOddInput) {
    EXPECT_TRUE(ParseStringTable("").empty());
    EXPECT_TRUE(ParseStringTable("\n\n\t\n#\n").empty());
    const std::string binary("1\t\xff\xfe\0x\n", 7);
    const auto entries = ParseStringTable(binary);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Text.size(), 4u);
}

}  // namespace
}  // namespace kv
