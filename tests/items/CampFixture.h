#pragma once
// A camp in the maze: Alice the caster (slot 1) and Bob (slot 2), each with
// distinct statistics, spell 1 known by Alice, and a host that records what
// the camp asked of the maze.
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "common/TestCharacter.h"
#include "core/Game.h"
#include "core/ScriptedPlayer.h"
#include "items/CampSpells.h"

namespace kv::testing {

class RecordingHost : public CampHost {
  public:
    explicit RecordingHost(Game& game) : game_(game) {}
    void ShowAutomap() override { ++Automaps; }
    bool MoveParty(int floor, int x, int y) override {
        Moves.emplace_back(floor, x, y);
        game_.CurrentFloor = static_cast<int16_t>(floor);
        game_.PartyX = static_cast<int16_t>(x);
        game_.PartyY = static_cast<int16_t>(y);
        return Lands;
    }
    void Save() override { ++Saves; }

    int Automaps = 0;
    int Saves = 0;
    bool Lands = true;
    std::vector<std::tuple<int, int, int>> Moves;

  private:
    Game& game_;
};

struct CampFixture {
    std::unique_ptr<Game> TheGame = std::make_unique<Game>();
    ScriptedPlayer Player;
    RecordingHost Host{*TheGame};

    Game& G() { return *TheGame; }
    Creature& Alice() { return G().Roster[1]; }
    Creature& Bob() { return G().Roster[2]; }

    CampFixture() {
        TestCharacter alice;
        alice.Name = "アリス";
        alice.Level = 5;
        alice.HP = 20;
        alice.Joins(G(), 1);
        TestCharacter bob;
        bob.Name = "ボブ";
        bob.Level = 4;
        bob.HP = 30;
        bob.Stats = {14, 8, 10, 12, 13, 15, 9, 11};
        bob.Joins(G(), 2);
        for (int slot : {1, 2}) {
            G().Roster[static_cast<size_t>(slot)].PartyNo = 1;
            G().Roster[static_cast<size_t>(slot)].Floor = 2;
        }
        G().CurrentChar = 1;
        G().CurrentPlace = 21;
        G().CurrentFloor = 2;
        G().PartyX = 5;
        G().PartyY = 6;
        Teach(1, "MAPPO", 3);
        Alice().MPAt(1, 1) = Alice().MaxMPAt(1, 1) = 3;
    }

    // Spell row n: school 1, level 1, slot n (known by Alice), usable in camp.
    SpellDef& Teach(int row, std::string name, int effect) {
        SpellDef& s = G().Spells[static_cast<size_t>(row)];
        s.Code = static_cast<int16_t>(row);
        s.Name = std::move(name);
        s.School = 1;
        s.SpellLevel = 1;
        s.Slot = static_cast<uint8_t>(row);
        s.Effect = static_cast<uint8_t>(effect);
        s.SpellFlags = 2;
        if (row >= 1 && row <= 4) Alice().Spell(1, 1, row) = 1;
        return s;
    }

    CampOutcome Cast(int row = 1) { return CastSpellRow(G(), Player, Host, 1, row, true); }
};

}  // namespace kv::testing
