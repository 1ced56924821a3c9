#include "core/ClassRaceTables.h"

#include <bit>

#include "core/StringTable.h"

namespace kv {

namespace {

struct ClassRow {
    int Row;
    Str TitleString;    // string-table entry of the name, Str{} = use Title
    const char* Title;  // the name when no string carries it
    const char* Abbrev;
    std::array<uint8_t, 8> MinStat;  // Str IQ Pie Vit Dex Agi Luck Cha
    uint8_t SexMask;
    uint8_t AlignMask;
    uint8_t AttackLevelStep;
    uint8_t MaxAttacks;
    int16_t SpellDivisor;
    float SpellOffset;
    int16_t SpellSchool;
};

// clang-format off
constexpr std::array<ClassRow, 17> ClassRowData = {{
    {0,  Str::ClassFighter, "",         "Ｆｉｇ", {12, 0, 0, 0, 0, 0, 0, 0},         3, 7, 5, 10, 0, 0.0f, 0},
    {1,  Str::ClassWizard, "",         "Ｗｉｚ", {0, 12, 0, 0, 0, 0, 0, 0},         3, 7, 7, 5,  2, 0.5f, 0},
    {2,  Str::ClassPriest, "",         "Ｃｌｅ", {0, 0, 12, 0, 0, 0, 0, 0},         3, 5, 6, 7,  2, 0.5f, 1},
    {3,  Str::ClassThief, "",         "Ｔｈｉ", {0, 0, 0, 0, 12, 12, 0, 0},        3, 6, 5, 9,  0, 0.0f, 0},
    {4,  Str::ClassSage, "",         "Ｓａｇ", {0, 12, 12, 0, 0, 0, 0, 0},        3, 5, 7, 5,  4, 1.0f, 0},
    {5,  Str::ClassBard, "",         "Ｂａｒ", {0, 12, 0, 0, 12, 0, 10, 9},       3, 3, 6, 7,  0, 0.0f, 0},
    {6,  Str{},    "召喚士",   "Ｓｕｍ", {11, 15, 15, 11, 12, 12, 14, 15},  3, 7, 7, 7,  0, 0.0f, 0},
    {7,  Str::ClassValkyrie, "",         "Ｖａｌ", {11, 0, 12, 11, 12, 0, 0, 11},     2, 2, 5, 10, 3, 0.0f, 1},
    {8,  Str::ClassSamurai, "",         "Ｓａｍ", {14, 12, 0, 14, 12, 11, 0, 0},     3, 3, 5, 12, 3, 0.0f, 0},
    {9,  Str::ClassLord, "",         "Ｌｏｒ", {15, 11, 15, 12, 13, 13, 13, 11},  3, 1, 5, 10, 3, 0.0f, 1},
    {10, Str::ClassNinja, "",         "Ｎｉｎ", {15, 15, 15, 15, 15, 15, 15, 15},  3, 4, 5, 12, 0, 0.0f, 0},
    {11, Str{},    "魔剣士",   "Ｗａｒ", {15, 15, 0, 15, 0, 11, 0, 0},      1, 4, 5, 10, 3, 0.0f, 0},
    {13, Str::ClassOnmyoji, "",         "Ｙｉｎ", {0, 0, 12, 0, 12, 0, 10, 0},       3, 6, 6, 7,  0, 0.0f, 0},
    {14, Str::ClassMonk, "",         "Ｋｕｎ", {16, 0, 0, 0, 16, 16, 0, 0},       3, 5, 5, 10, 0, 0.0f, 0},
    {15, Str::ClassAlchemist, "",         "Ａｌｃ", {0, 15, 11, 0, 0, 12, 11, 0},      3, 7, 7, 6,  2, 0.5f, 2},
    {16, Str{},    "道士",     "Ｔａｏ", {0, 11, 14, 0, 0, 0, 14, 11},      3, 7, 6, 9,  2, 0.5f, 3},
    {17, Str{},    "狩人",     "Ｈｕｎ", {12, 0, 0, 10, 14, 15, 11, 10},    3, 3, 5, 10, 0, 0.0f, 0},
}};

struct RaceRow {
    const char* Title;
    const char* Abbrev;
    std::array<uint8_t, 8> BaseStat;  // Str IQ Pie Vit Dex Agi Luck Cha
    int16_t BaseAC;
};

constexpr std::array<RaceRow, RaceRows> RaceRowData = {{
    {"人間",         "Ｈｕｍ", {8, 8, 6, 8, 9, 7, 7, 7},          10},
    {"エルフ",       "Ｅｌｆ", {6, 10, 10, 6, 9, 8, 6, 10},       12},
    {"ドワーフ",     "Ｄｗａ", {10, 5, 9, 10, 6, 6, 7, 5},        10},
    {"ノーム",       "Ｇｎｏ", {7, 7, 10, 8, 8, 8, 8, 6},         10},
    {"ホビット",     "Ｈｏｂ", {5, 7, 6, 7, 10, 15, 10, 7},       9},
    {"フェアリー",   "Ｆａｉ", {2, 11, 11, 2, 10, 10, 7, 10},     6},
    {"ドラゴン",     "Ｄｒａ", {10, 7, 6, 7, 10, 6, 5, 6},        10},
    {"悪魔",         "Ｄｅｍ", {9, 9, 5, 10, 7, 7, 6, 7},         10},
    {"天使",         "Ａｎｇ", {8, 7, 9, 8, 7, 10, 6, 8},         9},
    {"ミュータント", "Ｍｕｔ", {10, 10, 10, 10, 10, 10, 10, 10},  10},
    {"シルヴァ",     "Ｓｉｌ", {9, 9, 6, 5, 10, 6, 9, 11},        10},
}};
// clang-format on

// The few defence entries that differ from the defaults (resistance 0,
// damage rate 100).
struct RaceEntry {
    int Row;
    int Attribute;
    int16_t Value;
};

constexpr RaceEntry RaceResists[] = {
    {1, 2, 3},                   // elf
    {2, 2, 1},                   // dwarf
    {3, 2, 1},                   // gnome
    {5, 2, 5},                   // fairy
    {6, 2, 1},                   // dragon
    {7, 13, 100},                // demon
    {8, 2, 100},                 // angel
    {8, 12, 100}, {9, 15, 100},  // mutant: sleep, fear, confusion
    {9, 17, 100}, {9, 18, 100},
};

constexpr uint8_t DefaultDamageRate = 100;

constexpr RaceEntry RaceDamageRates[] = {
    {10, 8, 50},  // silva
};

}  // namespace

ClassTable BuildClassTable() {
    ClassTable table{};
    for (const ClassRow& row : ClassRowData) {
        ClassDef& def = table[row.Row];
        def.ClassTitle = row.TitleString != Str{} ? std::string(ResString(row.TitleString))
                                                  : std::string(row.Title);
        def.Abbrev = row.Abbrev;
        def.MinStat = row.MinStat;
        def.SexMask = row.SexMask;
        def.AlignMask = row.AlignMask;
        def.AttackLevelStep = row.AttackLevelStep;
        def.MaxAttacks = row.MaxAttacks;
        def.SpellDivisor = row.SpellDivisor;
        def.SpellOffset = row.SpellOffset;
        def.SpellSchool = row.SpellSchool;
    }
    return table;
}

RaceTable BuildRaceTable() {
    RaceTable table{};
    for (int row = 0; row < RaceRows; ++row) {
        const RaceRow& data = RaceRowData[row];
        RaceDef& def = table[row];
        def.RaceTitle = data.Title;
        def.Abbrev = data.Abbrev;
        def.BaseStat = data.BaseStat;
        def.BaseAC = data.BaseAC;
        def.RaceDamageRate.fill(DefaultDamageRate);
    }
    for (const RaceEntry& entry : RaceResists) {
        table[entry.Row].RaceResist[entry.Attribute] = entry.Value;
    }
    for (const RaceEntry& entry : RaceDamageRates) {
        table[entry.Row].RaceDamageRate[entry.Attribute] = static_cast<uint8_t>(entry.Value);
    }
    return table;
}

int BitIndex(int64_t bit) {
    const auto value = static_cast<uint64_t>(bit);
    if (!std::has_single_bit(value)) return -1;
    return std::countr_zero(value);
}

}  // namespace kv
