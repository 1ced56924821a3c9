#include "town/Creation.h"

#include <algorithm>

#include "character/CharacterRules.h"
#include "character/RaceDefences.h"
#include "character/Roster.h"
#include "core/Dice.h"
#include "core/Utf8.h"

namespace kv {

namespace {

// The creature's statistic fields in the tables' order.
constexpr std::array<uint8_t Creature::*, 8> TableOrder = {
    &Creature::Str,       &Creature::IQ,      &Creature::Piety, &Creature::Vitality,
    &Creature::Dexterity, &Creature::Agility, &Creature::Luck,  &Creature::Charm,
};

// The bonus for a 6d10 roll: the highest roll of each band and its points.
// Rolls past the last band (51..57, 59) give roll - 32; 58 and 60 roll again.
struct BonusBand {
    int UpTo;
    int Points;
};
constexpr std::array<BonusBand, 10> BonusBands = {{
    {19, 5},
    {25, 6},
    {29, 7},
    {34, 8},
    {38, 9},
    {42, 10},
    {44, 15},
    {46, 16},
    {48, 17},
    {50, 18},
}};

// Classes whose members start knowing spells, and the school they learn.
struct FirstSchool {
    int32_t Class;
    int School;
};
constexpr std::array<FirstSchool, 5> FirstSchools = {{
    {2, 0},      // 魔導士
    {16, 0},     // 賢者
    {4, 1},      // 僧侶
    {32768, 2},  // 錬金術師
    {65536, 3},  // 道士
}};

const RaceDef* RaceRow(const Game& game, int32_t race) {
    const int row = BitIndex(race);
    return row >= 0 && row < RaceRows ? &game.Races[static_cast<size_t>(row)] : nullptr;
}

}  // namespace

uint8_t& TableStat(Creature& creature, int index) {
    return creature.*TableOrder[static_cast<size_t>(std::clamp(index, 0, 7))];
}

uint8_t TableStat(const Creature& creature, int index) {
    return creature.*TableOrder[static_cast<size_t>(std::clamp(index, 0, 7))];
}

int NameLength(std::string_view name) {
    return static_cast<int>(DecodeUtf8(name).size());
}

int FixedAlignment(int32_t race) {
    if (race == 128) return 4;  // 悪魔
    if (race == 256) return 1;  // 天使
    return 0;
}

int BonusPointsForRoll(Game& game, int roll) {
    for (const BonusBand& band : BonusBands) {
        if (roll <= band.UpTo) return band.Points;
    }
    if (roll == 58) return Dice(game.Rng, 1, 3, 40);
    if (roll == 60) return Dice(game.Rng, 1, 3, 50);
    return roll - 32;
}

void RollBonus(Game& game, NewCharacter& made) {
    made.Bonus = BonusPointsForRoll(game, Dice(game.Rng, 6, 10, 0));
    const RaceDef* race = RaceRow(game, made.Race);
    for (size_t k = 0; k < 8; ++k) made.Stats[k] = race != nullptr ? race->BaseStat[k] : 0;
    if (made.Sex == 1) {
        ++made.Stats[StatStr];
        ++made.Stats[StatVitality];
    } else {
        ++made.Stats[StatDexterity];
        ++made.Stats[StatAgility];
    }
    made.Rolled = made.Stats;
}

bool RaiseStat(const Game& game, NewCharacter& made, int index) {
    if (index < 0 || index > 7 || made.Bonus <= 0) return false;
    const size_t k = static_cast<size_t>(index);
    if (made.Stats[k] >= StatMax(game, made.Race, index + 1, false, made.Sex)) return false;
    ++made.Stats[k];
    --made.Bonus;
    return true;
}

bool LowerStat(NewCharacter& made, int index) {
    if (index < 0 || index > 7) return false;
    const size_t k = static_cast<size_t>(index);
    if (made.Stats[k] <= made.Rolled[k]) return false;
    --made.Stats[k];
    ++made.Bonus;
    return true;
}

std::vector<int32_t> ClassesOpen(const Game& game, const StatLine& stats, int alignment, int sex) {
    std::vector<int32_t> open;
    for (int row = 0; row < ClassRows; ++row) {
        const ClassDef& def = game.Classes[static_cast<size_t>(row)];
        if ((def.AlignMask & alignment) == 0 || (def.SexMask & sex) == 0) continue;
        bool enough = true;
        for (size_t k = 0; k < 8; ++k) enough = enough && stats[k] >= def.MinStat[k];
        if (enough) open.push_back(int32_t{1} << row);
    }
    return open;
}

int FirstSpellSchool(int32_t classBit) {
    for (const FirstSchool& entry : FirstSchools) {
        if (entry.Class == classBit) return entry.School;
    }
    return -1;
}

int FinishCharacter(Game& game, const NewCharacter& made) {
    const int slot = FirstFreeSlot(game);
    if (slot == 0) return 0;
    Creature& c = game.Roster[static_cast<size_t>(slot)];
    c = Creature{};
    c.Id = slot;
    c.Name = made.Name;
    c.Level = 1;
    c.Race = static_cast<int16_t>(made.Race);
    c.Class = made.Class;
    c.Sex = static_cast<uint8_t>(made.Sex);
    c.Alignment = static_cast<uint8_t>(made.Alignment);
    c.Age = static_cast<int16_t>(Dice(game.Rng, 1, 5, 0) + 12);
    c.Gold = Dice(game.Rng, 10, 10, 100);
    const int vitality = made.Stats[StatVitality];
    c.MaxHP = RollMaxHP(game, 1, made.Class, vitality);
    c.HP = c.MaxHP;
    for (int k = 0; k < 8; ++k) {
        TableStat(c, k) =
            static_cast<uint8_t>(std::clamp(made.Stats[static_cast<size_t>(k)], 0, 255));
    }
    ResetRaceDefences(game, c);
    c.AC = c.BaseAC;
    if (const int school = FirstSpellSchool(made.Class); school >= 0) {
        GrantFirstSpells(game, c, school, c.IQ);
    }
    return slot;
}

}  // namespace kv
