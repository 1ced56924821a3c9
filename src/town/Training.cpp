#include "town/Training.h"

#include <algorithm>

#include "character/Equipment.h"
#include "character/Roster.h"
#include "core/Dice.h"
#include "town/Creation.h"

namespace kv {

namespace {

// The school a new class starts in and how many d10 its first-spell rolls take.
struct ChangeSchool {
    int32_t Class;
    int School;
    int Dice;
};
constexpr std::array<ChangeSchool, 5> ChangeSchools = {{
    {2, 0, 1},      // 魔導士
    {16, 0, 1},     // 賢者
    {4, 1, 1},      // 僧侶
    {32768, 2, 2},  // 錬金術師
    {65536, 3, 3},  // 道士
}};

bool ValidSlot(int slot) {
    return slot >= 1 && slot < RosterRows;
}

Creature& At(Game& game, int slot) {
    return game.Roster[static_cast<size_t>(slot)];
}

StatLine StatsOf(const Creature& c) {
    StatLine stats{};
    for (int k = 0; k < 8; ++k) stats[static_cast<size_t>(k)] = TableStat(c, k);
    return stats;
}

}  // namespace

void MoveInRoster(Game& game, int from, int to) {
    if (!ValidSlot(from) || !ValidSlot(to)) return;
    auto first = game.Roster.begin();
    if (to < from) {
        std::rotate(first + to, first + from, first + from + 1);
    } else if (to > from) {
        std::rotate(first + from, first + from + 1, first + to + 1);
    }
    for (int slot = 1; slot < RosterRows; ++slot) {
        if (At(game, slot).Id > 0) At(game, slot).Id = slot;
    }
}

RenameResult RenameCharacter(Game& game, int slot, std::string_view name) {
    if (name.empty()) return RenameResult::Empty;
    if (NameLength(name) > MaxNameLength) return RenameResult::TooLong;
    if (FindCharacterByName(game, name) != 0) return RenameResult::NameInUse;
    if (!ValidSlot(slot)) return RenameResult::Empty;
    At(game, slot).Name = std::string(name);
    return RenameResult::Renamed;
}

bool AnyoneMayChangeClass(const Game& game) {
    for (int slot = 1; slot < RosterRows; ++slot) {
        const Creature& c = game.Roster[static_cast<size_t>(slot)];
        if (c.Floor == 0 && c.Id >= 1 && c.Status == 0 && c.Place == 0) return true;
    }
    return false;
}

std::vector<int32_t> ClassesForChange(const Game& game, int slot) {
    if (!ValidSlot(slot)) return {};
    const Creature& c = game.Roster[static_cast<size_t>(slot)];
    return ClassesOpen(game, StatsOf(c), c.Alignment, c.Sex);
}

void ChangeClass(Game& game, int slot, int32_t classBit) {
    if (!ValidSlot(slot)) return;
    Creature& c = At(game, slot);
    c.Class = classBit;
    c.Level = 1;
    c.Age = static_cast<int16_t>(c.Age + Dice(game.Rng, 1, 5, 0));
    c.Exp = 0;

    // The race's statistics, with a man's Str and Vitality or a woman's
    // Agility and Luck one higher.
    const int raceRow = BitIndex(c.Race);
    for (int k = 0; k < 8; ++k) {
        TableStat(c, k) =
            raceRow >= 0 && raceRow < RaceRows
                ? game.Races[static_cast<size_t>(raceRow)].BaseStat[static_cast<size_t>(k)]
                : 0;
    }
    if (c.Sex == 1) {
        ++c.Str;
        ++c.Vitality;
    } else {
        ++c.Agility;
        ++c.Luck;
    }

    // Spell points: as many as the spells known of each school and level.
    for (int level = 1; level <= 9; ++level) {
        for (int school = 0; school < 4; ++school) {
            int16_t known = 0;
            for (int s = 1; s <= 4; ++s) known += c.Spell(school, level, s) != 0 ? 1 : 0;
            c.MPAt(school, level) = known;
            c.MaxMPAt(school, level) = known;
        }
    }

    const int classRow = BitIndex(classBit);
    if (classRow >= 0 && classRow < ClassRows) {
        const ClassDef& def = game.Classes[static_cast<size_t>(classRow)];
        for (int k = 0; k < 8; ++k) {
            uint8_t& stat = TableStat(c, k);
            stat = std::max(stat, def.MinStat[static_cast<size_t>(k)]);
        }
    }

    for (const ChangeSchool& entry : ChangeSchools) {
        if (entry.Class != classBit) continue;
        const int16_t points = static_cast<int16_t>(Dice(game.Rng, 1, c.IQ / 4, 1));
        c.MaxMPAt(entry.School, 1) = points;
        c.MPAt(entry.School, 1) = points;
        for (int learned = 0; learned == 0;) {
            for (int s = 1; s <= 3; ++s) {
                if (Dice(game.Rng, entry.Dice, 10, 0) > 5) {
                    c.Spell(entry.School, 1, s) = -1;
                    ++learned;
                }
            }
        }
    }

    c.Skills.fill(0);
    UnequipAll(game, c);
    MarkAllEquippable(game, c);
}

}  // namespace kv
