#pragma once
// A fresh game with a party of characters standing in the maze, for the
// maze rule tests. The maps start all open; tests put walls where they need.
#include <memory>
#include <string>

#include "common/RecordingDisplay.h"
#include "common/TestCharacter.h"
#include "core/Game.h"
#include "core/MazeMap.h"
#include "core/ScriptedPlayer.h"
#include "dungeon/Movement.h"

namespace kv::testing {

struct MazeFixture {
    std::unique_ptr<Game> TheGame = std::make_unique<Game>();
    ScriptedPlayer Player;
    RecordingDisplay Display;

    Game& G() { return *TheGame; }

    // A character in the roster slot, a member of the party at the back.
    Creature& AddMember(int slot, const std::string& name = "Ａｌｉｃｅ") {
        TestCharacter made;
        made.Name = name;
        made.Level = 5;
        made.HP = 50;
        made.Age = 0;
        Creature& c = made.Statistics(12).Joins(G(), slot);
        c.PartyNo = 1;
        return c;
    }

    // The party stands at (x, y) of the floor of place 21, facing that way.
    void Stand(int x, int y, int facing = 0, int floor = 1, int place = 21) {
        G().CurrentPlace = place;
        G().CurrentFloor = static_cast<int16_t>(floor);
        G().PartyX = static_cast<int16_t>(x);
        G().PartyY = static_cast<int16_t>(y);
        G().PartyFacing = static_cast<int16_t>(facing);
        G().CurrentPartyNo = 1;
        // Monsters never interrupt unless a test asks for them.
        LoadFloor(G(), Display);
        G().EncounterRate = 0;
        G().EncounterBase = 0;
    }

    void Walls(int x, int y, int16_t walls, int16_t doors = 0, int floor = 1, int place = 21) {
        SetWallMap(G(), MazeOf(place), floor, x, y, walls);
        SetDoorMap(G(), MazeOf(place), floor, x, y, doors);
    }
};

}  // namespace kv::testing
