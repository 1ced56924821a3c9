// Rising a level: more hit points, more blows, statistics that move with
// age and luck, and new spells for the classes that cast.
#include <algorithm>
#include <array>
#include <cmath>

#include "character/Blows.h"
#include "character/CharacterRules.h"
#include "core/ClassRaceTables.h"
#include "core/Dice.h"
#include "core/StringTable.h"
#include "core/TextFormat.h"

namespace kv {

namespace {

// Skills that change a level-up.

constexpr int YoungUntilAge = 51;  // from this age a statistic falls more easily
constexpr int YoungFallChance = 1;
constexpr int OldFallChance = 4;
constexpr int SteadyRoll = 5;  // the roll a steady character always makes
constexpr int RiseFrom = 7;

constexpr int MaxSpellLevel = 9;
constexpr int LearnedSlots = 3;  // slots 1..3 of each level are learned by rolls
constexpr int MostSpellsAtOnce = 3;
constexpr int MostSpellPoints = 9;
constexpr int FirstSpellPointsCap = 4;

// The level-up walks the statistics in the order of their names 701..708,
// which puts Agility before Dexterity and Luck before Charm.
constexpr std::array<uint8_t Creature::*, 8> LevelUpOrder = {
    &Creature::Str,     &Creature::IQ,        &Creature::Piety, &Creature::Vitality,
    &Creature::Agility, &Creature::Dexterity, &Creature::Luck,  &Creature::Charm,
};

// How each class learns at a level-up.
enum class Learning { Nothing, ByClassRow, Sage, Ninja };

struct LearningRow {
    int32_t ClassBit;
    Learning How;
};

constexpr std::array<LearningRow, 10> LearningTable = {{
    {2, Learning::ByClassRow},      // wizard
    {4, Learning::ByClassRow},      // priest
    {32768, Learning::ByClassRow},  // alchemist
    {65536, Learning::ByClassRow},  // taoist
    {128, Learning::ByClassRow},    // valkyrie
    {256, Learning::ByClassRow},    // samurai
    {2048, Learning::ByClassRow},   // warlock
    {512, Learning::ByClassRow},    // lord
    {16, Learning::Sage},
    {1024, Learning::Ninja},
}};

Learning LearningOf(int32_t classBit) {
    for (const LearningRow& row : LearningTable) {
        if (row.ClassBit == classBit) return row.How;
    }
    return Learning::Nothing;
}

// A sage alternates schools two levels at a time: wizard spells at levels
// 2, 3, 6, 7, ..., priest spells at 4, 5, 8, 9, ...
constexpr int SageLevelsPerSchool = 4;

// A ninja who wears nothing grows a natural armour class.
constexpr int NinjaBaseAC = 8;
constexpr int NinjaLevelsPerAC = 3;
constexpr int NinjaLowestStep = 263;
constexpr int NinjaLowestAC = -255;

bool WearsAnything(const Creature& creature) {
    return std::any_of(creature.Items.begin() + 1, creature.Items.end(),
                       [](const InventorySlot& slot) {
                           return slot.ItemId != 0 && (slot.ItemFlags & ItemPositionMask) != 0;
                       });
}

// One statistic (i in level-up order, 1..8) may rise or fall; the text
// says which, or is empty.
std::string ChangeStatistic(Game& game, Creature& creature, int i) {
    uint8_t& value = creature.*LevelUpOrder[static_cast<size_t>(i - 1)];
    const int fallChance = creature.Age < YoungUntilAge ? YoungFallChance : OldFallChance;
    const int roll =
        HasSkill(creature, Skill::SteadyStatistics) ? SteadyRoll : Dice(game.Rng, 1, 15, 0);
    const std::string name(ResString(Str::StatStrength, i - 1));
    if (roll > fallChance || value < 1) {
        // The limit is looked up with the level-up index, so Agility is held
        // to the race's Dexterity limit and Dexterity to its Agility limit.
        if (roll >= RiseFrom && value < StatMax(game, creature.Race, i, false, creature.Sex) &&
            value < UINT8_MAX) {
            ++value;
            return name + "が１ポイント上がった" + "\r";
        }
        return {};
    }
    --value;
    return name + "が１ポイント下がった" + "\r";
}

// The spells of the new level; true when one was learned.
bool LearnAtLevel(Game& game, Creature& creature) {
    const int row = BitIndex(creature.Class);
    switch (LearningOf(creature.Class)) {
        case Learning::ByClassRow: {
            const ClassDef& def = game.Classes[row];
            if (def.SpellDivisor == 0) return false;
            const int limit = static_cast<int>(std::floor(
                static_cast<double>(creature.Level) / def.SpellDivisor + def.SpellOffset));
            return LearnSpells(game, creature, def.SpellSchool, limit);
        }
        case Learning::Sage: {
            const int limit = static_cast<int>(
                std::floor(static_cast<double>(creature.Level) / SageLevelsPerSchool + 1.0));
            const int phase = creature.Level % SageLevelsPerSchool;
            const int school = phase == 2 || phase == 3 ? 0 : 1;
            return LearnSpells(game, creature, school, limit);
        }
        case Learning::Ninja:
            if (!WearsAnything(creature)) {
                const int step = creature.Level / NinjaLevelsPerAC;
                creature.BaseAC = step > NinjaLowestStep ? NinjaLowestAC : NinjaBaseAC - step;
            }
            return false;
        case Learning::Nothing:
            return false;
    }
    return false;
}

}  // namespace

void LevelUp(Game& game, Player& player, int slot) {
    if (slot < 1 || slot >= RosterRows) return;
    Creature& creature = game.Roster[static_cast<size_t>(slot)];
    if (creature.Level < INT32_MAX) ++creature.Level;

    // Hit points: a new roll that beats the old maximum replaces it,
    // otherwise the maximum still grows by one.
    const int32_t rolled = RollMaxHP(game, creature.Level, creature.Class, creature.Vitality);
    int64_t gain = 1;
    if (creature.MaxHP >= rolled) {
        if (creature.MaxHP < INT32_MAX) ++creature.MaxHP;
        if (creature.HP < INT32_MAX) ++creature.HP;
    } else {
        gain = static_cast<int64_t>(rolled) - creature.MaxHP;
        creature.MaxHP = rolled;
        HealCreature(creature, static_cast<int32_t>(std::min<int64_t>(gain, INT32_MAX)), true);
    }
    player.Message(creature.Name + "はＬＶが上がった" + "\r" + "最大ＨＰが" + WideNumber(gain) +
                   "ポイントあがった");

    NumberOfBlows(game, creature);

    std::string changes;
    for (int i = 1; i <= static_cast<int>(LevelUpOrder.size()); ++i) {
        changes += ChangeStatistic(game, creature, i);
    }
    if (!changes.empty()) player.Message(changes);

    if (LearnAtLevel(game, creature)) player.Message("新しい呪文を習得した");
}

bool LearnSpells(Game& game, Creature& creature, int school, int limit) {
    if (school < 0 || school >= SpellSchools) return false;
    // Priests' and taoists' schools answer to piety, the others to IQ.
    const int stat = school == 1 || school == 3 ? creature.Piety : creature.IQ;
    int learned = 0;
    for (int level = 1; level <= std::min(limit, MaxSpellLevel); ++level) {
        for (int slot = 1; slot <= LearnedSlots; ++slot) {
            if (level >= Dice(game.Rng, 1, stat - 7, 0)) continue;
            int16_t& points = creature.MaxMPAt(school, level);
            if (points != MostSpellPoints) ++points;
            int16_t& known = creature.Spell(school, level, slot);
            if (known != 0) continue;
            known = -1;
            if (++learned == MostSpellsAtOnce) return true;
        }
    }
    return learned > 0;
}

void GrantFirstSpells(Game& game, Creature& creature, int school, int stat) {
    if (school < 0 || school >= SpellSchools) return;
    int learned = 0;
    while (learned == 0) {
        for (int slot = 1; slot <= LearnedSlots; ++slot) {
            if (Dice(game.Rng, 1, 10, 0) > 5) {
                creature.Spell(school, 1, slot) = -1;
                ++learned;
            }
        }
    }
    const int points = Dice(game.Rng, 1, stat / 4, 0) + learned;
    creature.MaxMPAt(school, 1) = static_cast<int16_t>(std::min(points, FirstSpellPointsCap));
    creature.MPAt(school, 1) = creature.MaxMPAt(school, 1);
}

}  // namespace kv
