#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/ClassRaceTables.h"

namespace kv {
namespace {

// The class table as the design tables write it: row, bit, name, minimum
// statistics (Str IQ Pie Vit Dex Agi Luck Cha), sex mask, alignment mask,
// attack level step, maximum attacks, spell divisor, spell offset, school.
constexpr const char* ClassRowsText[] = {
    "0 1 戦士 | 12 0 0 0 0 0 0 0 | 3 | 7 | 5 | 10 | 0 | 0 | 0 | Ｆｉｇ",
    "1 2 魔導士 | 0 12 0 0 0 0 0 0 | 3 | 7 | 7 | 5 | 2 | 0.5 | 0 | Ｗｉｚ",
    "2 4 僧侶 | 0 0 12 0 0 0 0 0 | 3 | 5 | 6 | 7 | 2 | 0.5 | 1 | Ｃｌｅ",
    "3 8 盗賊 | 0 0 0 0 12 12 0 0 | 3 | 6 | 5 | 9 | 0 | 0 | 0 | Ｔｈｉ",
    "4 16 賢者 | 0 12 12 0 0 0 0 0 | 3 | 5 | 7 | 5 | 4 | 1.0 | 0 | Ｓａｇ",
    "5 32 バード | 0 12 0 0 12 0 10 9 | 3 | 3 | 6 | 7 | 0 | 0 | 0 | Ｂａｒ",
    "6 64 召喚士 | 11 15 15 11 12 12 14 15 | 3 | 7 | 7 | 7 | 0 | 0 | 0 | Ｓｕｍ",
    "7 128 ワルキュリア | 11 0 12 11 12 0 0 11 | 2 | 2 | 5 | 10 | 3 | 0 | 1 | Ｖａｌ",
    "8 256 侍 | 14 12 0 14 12 11 0 0 | 3 | 3 | 5 | 12 | 3 | 0 | 0 | Ｓａｍ",
    "9 512 ロード | 15 11 15 12 13 13 13 11 | 3 | 1 | 5 | 10 | 3 | 0 | 1 | Ｌｏｒ",
    "10 1024 忍者 | 15 15 15 15 15 15 15 15 | 3 | 4 | 5 | 12 | 0 | 0 | 0 | Ｎｉｎ",
    "11 2048 魔剣士 | 15 15 0 15 0 11 0 0 | 1 | 4 | 5 | 10 | 3 | 0 | 0 | Ｗａｒ",
    "13 8192 陰陽師 | 0 0 12 0 12 0 10 0 | 3 | 6 | 6 | 7 | 0 | 0 | 0 | Ｙｉｎ",
    "14 16384 武闘家 | 16 0 0 0 16 16 0 0 | 3 | 5 | 5 | 10 | 0 | 0 | 0 | Ｋｕｎ",
    "15 32768 錬金術師 | 0 15 11 0 0 12 11 0 | 3 | 7 | 7 | 6 | 2 | 0.5 | 2 | Ａｌｃ",
    "16 65536 道士 | 0 11 14 0 0 0 14 11 | 3 | 7 | 6 | 9 | 2 | 0.5 | 3 | Ｔａｏ",
    "17 131072 狩人 | 12 0 0 10 14 15 11 10 | 3 | 3 | 5 | 10 | 0 | 0 | 0 | Ｈｕｎ",
};

// Race rows: row, bit, name, base statistics (same order), base AC, abbreviation.
constexpr const char* RaceRowsText[] = {
    "0 1 人間 | 8 8 6 8 9 7 7 7 | 10 | Ｈｕｍ",
    "1 2 エルフ | 6 10 10 6 9 8 6 10 | 12 | Ｅｌｆ",
    "2 4 ドワーフ | 10 5 9 10 6 6 7 5 | 10 | Ｄｗａ",
    "3 8 ノーム | 7 7 10 8 8 8 8 6 | 10 | Ｇｎｏ",
    "4 16 ホビット | 5 7 6 7 10 15 10 7 | 9 | Ｈｏｂ",
    "5 32 フェアリー | 2 11 11 2 10 10 7 10 | 6 | Ｆａｉ",
    "6 64 ドラゴン | 10 7 6 7 10 6 5 6 | 10 | Ｄｒａ",
    "7 128 悪魔 | 9 9 5 10 7 7 6 7 | 10 | Ｄｅｍ",
    "8 256 天使 | 8 7 9 8 7 10 6 8 | 9 | Ａｎｇ",
    "9 512 ミュータント | 10 10 10 10 10 10 10 10 | 10 | Ｍｕｔ",
    "10 1024 シルヴァ | 9 9 6 5 10 6 9 11 | 10 | Ｓｉｌ",
};

// Reads the text rows above; "|" separators are skipped as words.
class RowReader {
  public:
    explicit RowReader(const char* text) : in_(text) {}
    int Int() {
        Skip();
        int v = 0;
        in_ >> v;
        return v;
    }
    float Float() {
        Skip();
        float v = 0;
        in_ >> v;
        return v;
    }
    std::string Word() {
        Skip();
        std::string w;
        in_ >> w;
        return w;
    }

  private:
    void Skip() {
        in_ >> std::ws;
        while (in_.peek() == '|') {
            in_.get();
            in_ >> std::ws;
        }
    }
    std::istringstream in_;
};

TEST(ClassTable, EveryRowHasTheDesignValues) {
    const ClassTable classes = BuildClassTable();
    for (const char* text : ClassRowsText) {
        RowReader row(text);
        const int index = row.Int();
        const int bit = row.Int();
        const std::string title = row.Word();
        SCOPED_TRACE(text);
        ASSERT_EQ(BitIndex(bit), index);
        const ClassDef& def = classes[index];
        EXPECT_EQ(def.ClassTitle, title);
        for (int s = 0; s < 8; ++s) EXPECT_EQ(def.MinStat[s], row.Int()) << "stat " << s;
        EXPECT_EQ(def.SexMask, row.Int());
        EXPECT_EQ(def.AlignMask, row.Int());
        EXPECT_EQ(def.AttackLevelStep, row.Int());
        EXPECT_EQ(def.MaxAttacks, row.Int());
        EXPECT_EQ(def.SpellDivisor, row.Int());
        EXPECT_FLOAT_EQ(def.SpellOffset, row.Float());
        EXPECT_EQ(def.SpellSchool, row.Int());
        EXPECT_EQ(def.Abbrev, row.Word());
    }
}

TEST(ClassTable, RowsWithoutAClassStayEmpty) {
    const ClassTable classes = BuildClassTable();
    for (int index : {12, 18, 19, 20}) {
        const ClassDef& def = classes[index];
        EXPECT_EQ(def.ClassTitle, "") << index;
        EXPECT_EQ(def.Abbrev, "") << index;
        EXPECT_EQ(def.SexMask, 0) << index;  // so no character can qualify
        EXPECT_EQ(def.AlignMask, 0) << index;
        for (uint8_t stat : def.MinStat) EXPECT_EQ(stat, 0) << index;
        EXPECT_EQ(def.MaxAttacks, 0) << index;
    }
}

TEST(ClassTable, SpotChecks) {
    const ClassTable classes = BuildClassTable();
    // Valkyrie: women only, neutral only, a priest's spells.
    EXPECT_EQ(classes[7].SexMask, 2);
    EXPECT_EQ(classes[7].AlignMask, 2);
    EXPECT_EQ(classes[7].SpellSchool, 1);
    // Sage divides by 4 with offset 1.0; the alchemist casts school 2.
    EXPECT_EQ(classes[4].SpellDivisor, 4);
    EXPECT_FLOAT_EQ(classes[4].SpellOffset, 1.0f);
    EXPECT_EQ(classes[15].SpellSchool, 2);
    // Bard: luck 10 and charm 9 (luck before charm).
    EXPECT_EQ(classes[5].MinStat[StatLuck], 10);
    EXPECT_EQ(classes[5].MinStat[StatCharm], 9);
}

TEST(RaceTable, EveryRowHasTheDesignValues) {
    const RaceTable races = BuildRaceTable();
    for (const char* text : RaceRowsText) {
        RowReader row(text);
        const int index = row.Int();
        const int bit = row.Int();
        const std::string title = row.Word();
        SCOPED_TRACE(text);
        ASSERT_EQ(BitIndex(bit), index);
        const RaceDef& def = races[index];
        EXPECT_EQ(def.RaceTitle, title);
        for (int s = 0; s < 8; ++s) EXPECT_EQ(def.BaseStat[s], row.Int()) << "stat " << s;
        EXPECT_EQ(def.BaseAC, row.Int());
        EXPECT_EQ(def.Abbrev, row.Word());
    }
}

TEST(RaceTable, DefencesDifferOnlyWhereListed) {
    const RaceTable races = BuildRaceTable();
    struct Entry {
        int Race;
        int Attribute;
        int Value;
    };
    const std::vector<Entry> resists = {{1, 2, 3},    {2, 2, 1},    {3, 2, 1},   {5, 2, 5},
                                        {6, 2, 1},    {7, 13, 100}, {8, 2, 100}, {8, 12, 100},
                                        {9, 15, 100}, {9, 17, 100}, {9, 18, 100}};
    for (int race = 0; race < RaceRows; ++race) {
        for (size_t attribute = 0; attribute < AttackAttributes; ++attribute) {
            int expected = 0;
            for (const Entry& e : resists) {
                if (e.Race == race && static_cast<size_t>(e.Attribute) == attribute)
                    expected = e.Value;
            }
            EXPECT_EQ(races[race].RaceResist[attribute], expected)
                << "race " << race << " attribute " << attribute;
            const int rate = (race == 10 && attribute == 8) ? 50 : 100;
            EXPECT_EQ(races[race].RaceDamageRate[attribute], rate)
                << "race " << race << " attribute " << attribute;
        }
    }
}

TEST(RaceTable, NamedSpecialEntries) {
    const RaceTable races = BuildRaceTable();
    EXPECT_EQ(races[1].RaceResist[2], 3);        // elves
    EXPECT_EQ(races[10].RaceDamageRate[8], 50);  // シルヴァ
    EXPECT_EQ(races[9].RaceResist[16], 0);       // mutants are not immune to paralysis
}

TEST(BitIndex, SingleBitsOnly) {
    EXPECT_EQ(BitIndex(1), 0);
    EXPECT_EQ(BitIndex(2048), 11);
    EXPECT_EQ(BitIndex(131072), 17);
    EXPECT_EQ(BitIndex(int64_t{1} << 40), 40);
    EXPECT_EQ(BitIndex(0), -1);
    EXPECT_EQ(BitIndex(3), -1);
    EXPECT_EQ(BitIndex(-1), -1);
    EXPECT_EQ(BitIndex(-2), -1);
}

TEST(BitIndex, ClassBitsMeetTheirRows) {
    // Bit 4096 is the one bit below 131072 without a class.
    const ClassTable classes = BuildClassTable();
    std::set<int> classRows;
    for (int bit = 1; bit <= 131072; bit <<= 1) {
        if (!classes[BitIndex(bit)].ClassTitle.empty()) classRows.insert(BitIndex(bit));
    }
    EXPECT_EQ(classRows.size(), 17u);
    EXPECT_EQ(classRows.count(12), 0u);
    EXPECT_TRUE(classes[BitIndex(4096)].ClassTitle.empty());
}

}  // namespace
}  // namespace kv
