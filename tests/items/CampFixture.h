#pragma once
// A camp on floor 2 of place 21 at (5, 6): Alice the caster (slot 1, level
// 5, knows spell 1 "MAPPO" of school 1 with 3 points) and Bob (slot 2, level
// 4, 30 hit points), with distinct statistics, and a host that records what
// the camp asked of the maze.
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "common/TestCharacter.h"
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
        return true;
    }
    void Save() override { ++Saves; }

    int Automaps = 0;
    int Saves = 0;
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
        TestCharacter made;
        made.Name = "アリス";
        made.Level = 5;
        made.HP = 20;
        made.Joins(G(), 1);
        made.Name = "ボブ";
        made.Level = 4;
        made.HP = 30;
        made.Stats = {14, 8, 10, 12, 13, 15, 9, 11};
        made.Joins(G(), 2);
        for (Creature* c : {&Alice(), &Bob()}) c->PartyNo = 1, c->Floor = 2;
        G().CurrentChar = 1;
        G().CurrentPlace = 21;
        G().CurrentFloor = 2;
        G().PartyX = 5;
        G().PartyY = 6;
        SpellDef& s = G().Spells[1];
        s.Code = 1;
        s.Name = "MAPPO";
        s.School = s.SpellLevel = s.Slot = 1;
        s.Effect = 3;
        s.SpellFlags = 2;
        Alice().Spell(1, 1, 1) = 1;
        Alice().MPAt(1, 1) = Alice().MaxMPAt(1, 1) = 3;
    }

    CampOutcome Cast() { return CastSpellRow(G(), Player, Host, 1, 1, true); }
};

}  // namespace kv::testing
