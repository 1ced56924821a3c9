#include "dungeon/Encounters.h"

#include <array>

#include "character/PartyMembers.h"
#include "core/Dice.h"

namespace kv {

namespace {

struct FloorOdds {
    int Floor;
    EncounterOdds Odds;
};

constexpr std::array<FloorOdds, 9> OddsByFloor{{
    {1, {2, 50}},
    {7, {1, 30}},
    {8, {1, 30}},
    {9, {1, 30}},
    {13, {4, 50}},
    {15, {4, 50}},
    {18, {5, 0}},
    {20, {2, 80}},
    {21, {2, 100}},
}};
constexpr EncounterOdds OtherFloorOdds{2, 0};

// The blessing that lowers encounters rolls a bigger die.
constexpr int PlainEncounterDie = 2000;
constexpr int BlessedEncounterDie = 10000;

// Encounter table: 7 columns of 2001 rows, column c of row r at c*2001 + r.
constexpr int EncounterTableRows = 2001;
enum EncounterColumn : int { NumberColumn = 0, MazeColumn = 1, FloorColumn = 2 };

int16_t EncounterCell(const Game& game, int column, int row) {
    const auto at = static_cast<size_t>(column * EncounterTableRows + row);
    return at < game.EncounterTable.size() ? game.EncounterTable[at] : int16_t{0};
}

}  // namespace

EncounterOdds FloorEncounterOdds(int floor) {
    for (const FloorOdds& row : OddsByFloor) {
        if (row.Floor == floor) return row.Odds;
    }
    return OtherFloorOdds;
}

EncounterOdds PartyEncounterOdds(const Game& game, int floor) {
    EncounterOdds odds = FloorEncounterOdds(floor);
    if (PartyMemberHasSkill(game, Skill::RareEncounters)) return {1, 0};
    if (PartyMemberHasSkill(game, Skill::DoubleEncounters)) {
        odds.Base = static_cast<int16_t>(odds.Base * 2);
    } else if (PartyMemberHasSkill(game, Skill::TripleEncounters)) {
        odds.Base = static_cast<int16_t>(odds.Base * 3);
    }
    return odds;
}

void CollectFloorMonsters(Game& game) {
    game.FloorMonsters.clear();
    for (int row = 1; row < EncounterTableRows; ++row) {
        if (static_cast<int>(game.FloorMonsters.size()) >= MaxFloorMonsters) break;
        if (EncounterCell(game, MazeColumn, row) + 20 != game.CurrentPlace) continue;
        if (EncounterCell(game, FloorColumn, row) != game.CurrentFloor) continue;
        game.FloorMonsters.push_back(EncounterCell(game, NumberColumn, row));
    }
}

void SetEncounterOdds(Game& game) {
    const EncounterOdds odds = PartyEncounterOdds(game, game.CurrentFloor);
    game.EncounterRate = odds.Rate;
    game.EncounterBase = odds.Base;
}

bool CheckEncounter(Game& game) {
    const int die = (game.PartyBlessings & BlessingFewerEncounters) != 0 ? BlessedEncounterDie
                                                                         : PlainEncounterDie;
    const int roll = Dice(game.Rng, 1, die, 0);
    const int64_t value =
        static_cast<int64_t>(game.StepCounter) * game.EncounterRate + game.EncounterBase;
    if (value > roll) {
        game.StepCounter = 0;
        return true;
    }
    game.StepCounter += 1;
    return false;
}

}  // namespace kv
