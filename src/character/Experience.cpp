// How far a character is from the next level, how strong it may grow, and
// the hit points a level brings.
#include <algorithm>
#include <array>
#include <cmath>

#include "character/CharacterRules.h"
#include "core/ClassRaceTables.h"
#include "core/Dice.h"

namespace kv {

namespace {

inline constexpr int TabledLevels = 20;

// Total experience a character of level L (1..20) needs to rise to L + 1;
// above level 20 the need grows by Step per level from Base.
struct ExpRow {
    int32_t ClassBit;
    std::array<int32_t, TabledLevels> Levels;
    int32_t Step;
    int32_t Base;
};

// The sage's and the alchemist's Base lies below their level-20 value, so
// their step from 20 to 21 is shorter than the ones after it.
// clang-format off
constexpr std::array<ExpRow, 17> ExpTable = {{
    {1, {1000, 2500, 5000, 13000, 35000, 85034, 133040, 190900, 266005, 366002,  // 戦士
      501001, 674056, 900012, 1189011, 1553016, 1950123, 2409554, 2905412, 3450023, 4034033},
      600495, 4034033},
    {2, {900, 2300, 4500, 12000, 31000, 80034, 140040, 200900, 286005, 386002,  // 魔導士
      521001, 704056, 950012, 1259016, 1621231, 2040123, 2509401, 3025990, 3590776, 4243354},
      662933, 4243354},
    {4, {1200, 2600, 5100, 14000, 35000, 85034, 133040, 190900, 266005, 366002,  // 僧侶
      501001, 674056, 900012, 1189016, 1521231, 1940123, 2409044, 2995202, 3575630, 4204033},
      640594, 4204033},
    {8, {800, 2000, 4000, 10000, 30000, 78034, 103040, 150900, 216005, 316002,  // 盗賊
      451001, 604056, 800012, 1059016, 1321231, 1650123, 2029110, 2445412, 2915427, 3424093},
      536934, 3424093},
    {16, {1500, 3000, 6500, 15500, 42000, 90034, 140040, 220900, 306063, 406044,  // 賢者
      551032, 747056, 1000819, 1309016, 1721221, 2240123, 2834214, 3442323, 4120234, 4850932},
      809404, 4830932},
    {32, {1000, 2400, 4600, 14000, 33000, 82039, 144930, 204920, 294029, 383049,  // バード
      520933, 710934, 951093, 1264983, 1629093, 2079504, 2519033, 3034039, 3594049, 4259303},
      669830, 4259303},
    {64, {1200, 2700, 5200, 14800, 38000, 87064, 139040, 193600, 263233, 385434,  // 召喚士
      529989, 721212, 969653, 1301521, 1687243, 2090723, 2529506, 3001293, 3592400, 4309677},
      710023, 4309677},
    {128, {1100, 2650, 5000, 13400, 36800, 85034, 133040, 190900, 276005, 379002,  // ワルキュリア
      521001, 704056, 950012, 1289016, 1641231, 2020123, 2499401, 3005302, 3590400, 4273354},
      699094, 4273354},
    {256, {1300, 2600, 5500, 14000, 36700, 87034, 139040, 199999, 271543, 388777,  // 侍
      539195, 699940, 985000, 1299016, 1670034, 2120123, 2584394, 3100393, 3749220, 4444930},
      717033, 4444930},
    {512, {1350, 2700, 5500, 13500, 37000, 87034, 139040, 199999, 271543, 388777,  // ロード
      540001, 710056, 999101, 1300001, 1705554, 2140123, 2634394, 3159675, 3803849, 4502348},
      739201, 4502348},
    {1024, {1800, 4000, 7000, 15500, 44444, 91220, 140921, 233904, 333202, 450443,  // 忍者
      589033, 767043, 1020819, 1359016, 1794434, 2260123, 2840394, 3459393, 4150432, 4890494},
      813930, 4890494},
    {2048, {1150, 2700, 5100, 13800, 37000, 86034, 138040, 192600, 262005, 384432,  // 魔剣士
      529031, 720011, 969653, 1300551, 1687243, 2090723, 2529506, 3000293, 3590400, 4305034},
      708030, 4305034},
    {8192, {900, 2450, 4500, 13000, 32000, 80939, 143003, 204403, 290394, 389203,  // 陰陽師
      520049, 710009, 951182, 1264940, 1620492, 2053303, 2503943, 3020393, 3575940, 4220393},
      661920, 4220393},
    {16384, {1300, 2600, 5300, 13500, 35904, 87034, 130765, 197049, 270494, 386049,  // 武闘家
      528393, 685043, 970955, 1284032, 1658690, 2104933, 2560594, 3100003, 3739034, 4404939},
      780933, 4404939},
    {32768, {1000, 2500, 5000, 16000, 33000, 82099, 145445, 221552, 296685, 392992,  // 錬金術師
      546666, 754556, 986012, 1309455, 1700044, 2205123, 2809401, 3425990, 4090776, 4795444},
      812933, 4745444},
    {65536, {1100, 2600, 5100, 17500, 34000, 83122, 146544, 223043, 297584, 394203,  // 道士
      548849, 756504, 989403, 1310202, 1703043, 2208123, 2812906, 3429997, 4095656, 4799486},
      812933, 4799486},
    {131072, {1900, 4200, 7500, 17500, 46677, 97888, 156921, 251234, 335202, 479656,  // 狩人
      619033, 799043, 1060439, 1400342, 1834434, 2305123, 2887394, 3509393, 4199544, 4950887},
      875455, 4950887},
}};
// clang-format on

// Experience needs scale by race; rows in race-table order (log2 of the bit).
constexpr std::array<double, RaceRows> RaceExpFactor = {
    1.0,    // human
    1.01,   // elf
    0.999,  // dwarf
    0.998,  // gnome
    1.002,  // hobbit
    1.003,  // fairy
    1.005,  // dragon
    1.003,  // demon
    0.995,  // angel
    0.998,  // mutant
    1.0,    // silva
};

struct DieRow {
    int32_t ClassBit;
    int Die;
};

// Any class not listed rolls the middle die.
constexpr int DefaultHPDie = 13;
constexpr std::array<DieRow, 18> HPDieTable = {{
    {1, 18},      // fighter
    {4, 15},      // priest
    {512, 15},    // lord
    {128, 13},    // valkyrie
    {256, 13},    // samurai
    {32768, 13},  // alchemist
    {64, 11},     // summoner
    {32, 11},     // bard
    {8192, 11},   // onmyoji
    {4096, 11},   // the bit without a class
    {8, 9},       // thief
    {1024, 9},    // ninja
    {16384, 9},   // monk
    {2048, 9},    // warlock
    {131072, 9},  // hunter
    {2, 5},       // wizard
    {16, 5},      // sage
    {65536, 5},   // taoist
}};

// Vitality above 13 adds its excess; a low vitality adds all of itself.
constexpr int VitalityThreshold = 13;

constexpr int NormalStatRange = 10;
constexpr int RaisedStatRange = 15;

// Rounds to the nearest whole number, an exact half to the even neighbour,
// whatever rounding mode the machine is in.
double RoundHalfEven(double value) {
    const double floor = std::floor(value);
    const double fraction = value - floor;
    if (fraction > 0.5) return floor + 1;
    if (fraction < 0.5) return floor;
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

const ExpRow* FindExpRow(int32_t classBit) {
    for (const ExpRow& row : ExpTable) {
        if (row.ClassBit == classBit) return &row;
    }
    return nullptr;
}

}  // namespace

int StatMax(const Game& game, int32_t race, int index, bool raised, int sex) {
    if (index < 1 || index > 8) return 0;
    const int row = BitIndex(race);
    const int base = row >= 0 && row < RaceRows ? game.Races[row].BaseStat[index - 1] : 0;
    const auto stat = static_cast<TableStat>(index);
    const bool sexBonus =
        (sex == 1 && (stat == TableStat::Str || stat == TableStat::Vitality)) ||
        (sex == 2 && (stat == TableStat::Dexterity || stat == TableStat::Agility));
    return base + (raised ? RaisedStatRange : NormalStatRange) + (sexBonus ? 1 : 0);
}

double ExpForLevel(int32_t level, int32_t classBit, int32_t race) {
    const ExpRow* row = FindExpRow(classBit);
    if (row == nullptr || level < 1) return 0;
    const double need = level <= TabledLevels
                            ? row->Levels[static_cast<size_t>(level - 1)]
                            : static_cast<double>(row->Step) * (level - TabledLevels) + row->Base;
    const int raceRow = BitIndex(race);
    const double factor = raceRow >= 0 && raceRow < RaceRows ? RaceExpFactor[raceRow] : 1.0;
    return RoundHalfEven(need * factor);
}

int HPDie(int32_t classBit) {
    for (const DieRow& row : HPDieTable) {
        if (row.ClassBit == classBit) return row.Die;
    }
    return DefaultHPDie;
}

int32_t RollMaxHP(Game& game, int32_t level, int32_t classBit, int vitality) {
    const int bonus = vitality > VitalityThreshold ? vitality - VitalityThreshold : vitality;
    return Dice(game.Rng, level, HPDie(classBit), bonus);
}

}  // namespace kv
