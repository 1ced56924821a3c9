#pragma once
// The class and race tables the character rules read. They are not in any
// data file: the program builds them at start-up, after the string table is
// available (several class names come from it). Row = log2 of the bit.
#include <array>
#include <cstdint>
#include <string>

#include "core/Creature.h"

namespace kv {

inline constexpr int ClassRows = 21;  // rows 0..20; 12 and 18..20 stay empty
inline constexpr int RaceRows = 11;   // rows 0..10

// Statistic order of MinStat and BaseStat. Luck comes before Charm here,
// unlike the creature record.
enum StatIndex : int {
    StatStr = 0,
    StatIQ = 1,
    StatPiety = 2,
    StatVitality = 3,
    StatDexterity = 4,
    StatAgility = 5,
    StatLuck = 6,
    StatCharm = 7,
};

struct ClassDef {
    std::string ClassTitle;
    std::string Abbrev;
    std::array<uint8_t, 8> MinStat{};
    uint8_t SexMask = 0;
    uint8_t AlignMask = 0;
    uint8_t AttackLevelStep = 0;
    uint8_t MaxAttacks = 0;
    int16_t SpellDivisor = 0;
    float SpellOffset = 0.0f;
    int16_t SpellSchool = 0;
};

struct RaceDef {
    std::string RaceTitle;
    std::string Abbrev;
    std::array<uint8_t, 8> BaseStat{};
    int16_t BaseAC = 0;
    std::array<int16_t, AttackAttributes> RaceResist{};
    std::array<uint8_t, AttackAttributes> RaceDamageRate{};
};

using ClassTable = std::array<ClassDef, ClassRows>;
using RaceTable = std::array<RaceDef, RaceRows>;

ClassTable BuildClassTable();
RaceTable BuildRaceTable();

// log2 of a value with exactly one bit set; -1 for 0 or several bits.
int BitIndex(int64_t bit);

}  // namespace kv
