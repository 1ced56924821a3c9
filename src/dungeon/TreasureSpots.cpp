#include "dungeon/TreasureSpots.h"

#include "character/PartyMembers.h"
#include "core/Dice.h"
#include "core/MazeMap.h"

namespace kv {

namespace {

constexpr int SpotRowsStored = 51;
constexpr int MaxAttempts = 1000;
// A maze of nothing but rock must not hang the scatter.
constexpr int MaxRedraws = 10000;
constexpr int SpotPlaces = 7;  // places 21..27
constexpr int SpotFloors = 21;
constexpr const char* FoundText = "宝箱を発見した！";
constexpr const char* HintText = "何かが落ちている";

bool Holds(Game& game, int row, int place, int floor, int x, int y) {
    return TreasureSpot(game, SpotActive, row) == 1 &&
           TreasureSpot(game, SpotPlace, row) == place &&
           TreasureSpot(game, SpotFloor, row) == floor && TreasureSpot(game, SpotX, row) == x &&
           TreasureSpot(game, SpotY, row) == y;
}

}  // namespace

int16_t& TreasureSpot(Game& game, int column, int row) {
    return game.TreasureSpots[static_cast<size_t>(SpotRowsStored * column + row)];
}

void PlaceTreasureSpots(Game& game) {
    for (int row = 1; row <= TreasureSpotRows; ++row) TreasureSpot(game, SpotActive, row) = 0;
    int filled = 0;
    for (int attempt = 0; attempt < MaxAttempts && filled < TreasureSpotRows; ++attempt) {
        int x = 0, y = 0, floor = 0, place = 0;
        for (int draw = 0; draw < MaxRedraws; ++draw) {
            x = Dice(game.Rng, 1, 20, -1);
            y = Dice(game.Rng, 1, 20, -1);
            floor = Dice(game.Rng, 1, SpotFloors, 0);
            place = 20 + Dice(game.Rng, 1, SpotPlaces, 0);
            if (!IsSolidRock(game, MazeOf(place), floor, x, y)) break;
        }
        bool taken = false;
        for (int row = 1; row <= filled && !taken; ++row)
            taken = Holds(game, row, place, floor, x, y);
        if (taken) continue;
        ++filled;
        TreasureSpot(game, SpotPlace, filled) = static_cast<int16_t>(place);
        TreasureSpot(game, SpotFloor, filled) = static_cast<int16_t>(floor);
        TreasureSpot(game, SpotX, filled) = static_cast<int16_t>(x);
        TreasureSpot(game, SpotY, filled) = static_cast<int16_t>(y);
        TreasureSpot(game, SpotActive, filled) = 1;
    }
}

bool FindHiddenChest(Game& game, Player& player) {
    for (int row = 1; row <= TreasureSpotRows; ++row) {
        if (!Holds(game, row, game.CurrentPlace, game.CurrentFloor, game.PartyX, game.PartyY))
            continue;
        TreasureSpot(game, SpotActive, row) = 0;
        player.Message(FoundText);
        return true;
    }
    return false;
}

bool DroppedItemHint(Game& game, Player& player) {
    if (!PartyMemberHasSkill(game, Skill::TreasureFinder)) return false;
    for (int row = 1; row <= TreasureSpotRows; ++row) {
        if (!Holds(game, row, game.CurrentPlace, game.CurrentFloor, game.PartyX, game.PartyY))
            continue;
        player.Message(HintText);
        return true;
    }
    return false;
}

}  // namespace kv
