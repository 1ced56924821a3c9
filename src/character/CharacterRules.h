#pragma once
// The rules that change a character over its life: the limits of the eight
// statistics, the experience each level needs, the hit points a level gives,
// the level-up itself, the loss of levels to drains, and the small routines
// through which every other rule damages, heals, kills or afflicts a
// creature. Characters and monsters share these; every roll goes through
// Dice on the game's one generator.
#include <cstdint>
#include <string>

#include "core/Game.h"
#include "core/Player.h"
#include "core/SkillCodes.h"

namespace kv {

// Statistic indexes of StatMax, in the class and race tables' order.
enum class TableStat : int {
    Str = 1,
    IQ = 2,
    Piety = 3,
    Vitality = 4,
    Dexterity = 5,
    Agility = 6,
    Luck = 7,
    Charm = 8,
};

// The highest value a statistic (1..8, table order) may reach: the race's
// base value + 10 (+ 15 when raised), + 1 for a man's Str and Vitality or a
// woman's Dexterity and Agility. 0 for an index outside 1..8; a race bit
// without a row counts its base as 0.
int StatMax(const Game& game, int32_t race, int index, bool raised, int sex);

// The experience a character of this level needs in total to rise a level:
// the class's table value scaled by the race's factor and rounded to the
// nearest whole number, halves to even. 0 for level 0 or less and for a
// class bit without a row.
double ExpForLevel(int32_t level, int32_t classBit, int32_t race);

// The hit-point die of a class (18 for a fighter down to 5 for a wizard).
int HPDie(int32_t classBit);

// Maximum hit points for a level: level dice of the class's die, plus the
// vitality above 13 (or all of it when 13 or less).
int32_t RollMaxHP(Game& game, int32_t level, int32_t classBit, int vitality);

// The character of the roster slot rises a level: hit points, blows,
// statistics and spells, with the messages that go with them. The caller
// has checked the experience (the inn does).
void LevelUp(Game& game, Player& player, int slot);

// The character learns spells of a school (0..3) up to spell level `limit`
// (at most 9): per level and slot a roll against Piety or IQ decides, a
// spell known already gives a spell point instead, and at most three spells
// are learned per call. True when at least one was learned.
bool LearnSpells(Game& game, Creature& creature, int school, int limit);

// A new character's first spells of a school: passes over the three
// level-1 slots (each known on 6..10 of a d10) until a pass learns one;
// level-1 spell points are a die of stat \ 4 plus that pass's count, at
// most 4.
void GrantFirstSpells(Game& game, Creature& creature, int school, int stat);

// Loses n levels (never below level 1): experience falls to the start of
// the new level and each level lost costs hit points and maybe statistics.
// n of 0 or less changes nothing.
void DrainLevels(Game& game, Creature& creature, int n);

// Messages below start with the creature's name ("…は\n…"); with quiet the
// routine still acts but returns "".

// Takes hit points; a creature brought below 1 dies, its death joined to
// the text. A creature already gone takes nothing.
std::string DamageCreature(Creature& creature, int32_t amount, bool quiet = false);
// Restores hit points up to MaxHP; the dead and the diseased gain nothing.
std::string HealCreature(Creature& creature, int32_t amount, bool quiet = false);
// Dead, with 0 hit points.
std::string KillCreature(Creature& creature, bool withMessage = true);

// Sets a condition bit; the result is the text shown when it is inflicted
// (without the name in front), "" for bits that have none. Lost is also dead.
std::string SetCondition(int32_t& status, int32_t bit);
// Clears the bits; the result is "回復した".
std::string ClearCondition(int32_t& status, int32_t bits);

// Whether the skill is switched on for the creature.
bool HasSkill(const Creature& creature, Skill skill);

}  // namespace kv
