// Levels drained by undead blows, spells and items: the level, the
// experience that goes with it, hit points and maybe statistics are lost.
#include <algorithm>
#include <array>
#include <cmath>

#include "character/CharacterRules.h"
#include "core/Dice.h"

namespace kv {

namespace {

// The die each lost level is rolled with: sides from Vitality plus a shift,
// or Vitality / 1.5 for the frail casters.
enum class DrainDie { VitalityPlusTwo, TwoThirdsVitality, Vitality, VitalityPlusOne };

struct DrainDieRow {
    int32_t ClassBit;
    DrainDie Die;
};

// Any class not listed rolls Vitality + 1.
constexpr std::array<DrainDieRow, 11> DrainDieTable = {{
    {1, DrainDie::VitalityPlusTwo},     // fighter
    {2048, DrainDie::VitalityPlusTwo},  // warlock
    {2, DrainDie::TwoThirdsVitality},   // wizard
    {16, DrainDie::TwoThirdsVitality},  // sage
    {8, DrainDie::Vitality},            // thief
    {1024, DrainDie::Vitality},         // ninja
    {16384, DrainDie::Vitality},        // monk
    {64, DrainDie::Vitality},           // summoner
    {32, DrainDie::Vitality},           // bard
    {8192, DrainDie::Vitality},         // onmyoji
    {4096, DrainDie::Vitality},         // the bit without a class
}};

// The roll turned into the hit points lost: rolls up to UpTo cost the dice
// of the row (a count of 0 is a fixed loss). Rolls past the table cost
// (roll - 16)d8 + 5.
struct LossRow {
    int UpTo;
    int Count;
    int Sides;
    int Constant;
};

constexpr std::array<LossRow, 9> LossTable = {{
    {4, 0, 0, 1},
    {5, 0, 0, 5},
    {7, 0, 0, 2},
    {9, 0, 0, 3},
    {10, 1, 5, 1},
    {12, 2, 8, 2},
    {15, 3, 8, 3},
    {18, 4, 8, 4},
    {21, 5, 8, 5},
}};
constexpr int BeyondTableShift = 16;
constexpr int BeyondTableSides = 8;
constexpr int BeyondTableConstant = 5;

// Statistics that may each fall by one per level lost, on a 1 of a d5.
constexpr std::array<uint8_t Creature::*, 6> DrainedStats = {
    &Creature::Str,      &Creature::IQ,      &Creature::Piety,
    &Creature::Vitality, &Creature::Agility, &Creature::Luck,
};

DrainDie DrainDieOf(int32_t classBit) {
    for (const DrainDieRow& row : DrainDieTable) {
        if (row.ClassBit == classBit) return row.Die;
    }
    return DrainDie::VitalityPlusOne;
}

int32_t RollLevelLoss(Game& game, const Creature& creature) {
    const int vitality = creature.Vitality;
    int sides = vitality + 1;
    int constant = 0;
    switch (DrainDieOf(creature.Class)) {
        case DrainDie::VitalityPlusTwo:
            sides = vitality + 2;
            break;
        case DrainDie::TwoThirdsVitality:
            sides = static_cast<int>(std::floor(vitality / 1.5));
            constant = 1;
            break;
        case DrainDie::Vitality:
            sides = vitality;
            break;
        case DrainDie::VitalityPlusOne:
            break;
    }
    const int roll = Dice(game.Rng, 1, sides, constant);
    for (const LossRow& row : LossTable) {
        if (roll <= row.UpTo) return Dice(game.Rng, row.Count, row.Sides, row.Constant);
    }
    return Dice(game.Rng, roll - BeyondTableShift, BeyondTableSides, BeyondTableConstant);
}

}  // namespace

void DrainLevels(Game& game, Creature& creature, int n) {
    if (n < 1) return;
    creature.Level = static_cast<int32_t>(std::max<int64_t>(int64_t{creature.Level} - n, 1));
    creature.Exp = ExpForLevel(creature.Level - 1, creature.Class, creature.Race);
    for (int i = 0; i < n; ++i) {
        const int64_t maxHP = int64_t{creature.MaxHP} - RollLevelLoss(game, creature);
        creature.MaxHP = static_cast<int32_t>(std::max<int64_t>(maxHP, 1));
        creature.HP = std::min(creature.HP, creature.MaxHP);
        for (uint8_t Creature::*stat : DrainedStats) {
            // Every statistic rolls, so a drain always uses the same dice.
            if (Dice(game.Rng, 1, 5, 0) == 1 && creature.*stat > 0) --(creature.*stat);
        }
    }
}

}  // namespace kv
