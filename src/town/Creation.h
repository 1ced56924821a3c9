#pragma once
// Making a new character at the training grounds: the name, race, alignment
// and sex, the bonus points spread over the eight statistics, the classes
// those statistics open, and the finished character in the first free
// roster slot. Nothing reaches the roster before Finish.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/Game.h"

namespace kv {

// The eight statistics in the class and race tables' order: Str, IQ, Piety,
// Vitality, Dexterity, Agility, Luck, Charm.
using StatLine = std::array<int, 8>;

// A creature's statistic by table index 0..7 (Luck comes before Charm there).
uint8_t& TableStat(Creature& creature, int index);
uint8_t TableStat(const Creature& creature, int index);

struct NewCharacter {
    std::string Name;
    int32_t Race = 0;
    int Alignment = 0;
    int Sex = 0;
    int32_t Class = 0;
    StatLine Rolled{};  // the floor a statistic cannot be lowered below
    StatLine Stats{};   // as the player has spread the points
    int Bonus = 0;      // points still to spread
};

inline constexpr int MaxCharacters = 50;
inline constexpr int MaxNameLength = 50;  // characters a name may have in the roster

// How many characters (code points) a name has.
int NameLength(std::string_view name);

// The race a creation step offers, with its fixed alignment when it has one
// (a demon is always chaotic, an angel lawful); 0 when it asks.
int FixedAlignment(int32_t race);

// Bonus points for a roll of 6d10 (58 and 60 roll again).
int BonusPointsForRoll(Game& game, int roll);
// Rolls the bonus and sets the race's base statistics with the sex's two
// extra points; the rolled values become the floor.
void RollBonus(Game& game, NewCharacter& made);

// Right and Left on the bonus screen; false when nothing changed.
bool RaiseStat(const Game& game, NewCharacter& made, int index);
bool LowerStat(NewCharacter& made, int index);

// The class bits (in table order) these statistics, alignment and sex open.
std::vector<int32_t> ClassesOpen(const Game& game, const StatLine& stats, int alignment, int sex);

// The school (0..3) of a class's first spells, -1 for a class without.
int FirstSpellSchool(int32_t classBit);

// Writes the character into the first free roster slot with its age, gold,
// hit points, race defences and first spells; returns the slot (0 when the
// roster is full). The caller saves.
int FinishCharacter(Game& game, const NewCharacter& made);

}  // namespace kv
