#pragma once
// A character in a fresh game, for the rule tests: a roster slot filled the
// way creation fills it, with statistics in the middle of every range.
#include <memory>
#include <string>

#include "common/TestCharacter.h"
#include "core/Game.h"
#include "core/ScriptedPlayer.h"

namespace kv::testing {

// Class and race bits by name.
inline constexpr int32_t Fighter = 1, Wizard = 2, Priest = 4, Thief = 8, Sage = 16, Bard = 32,
                         Samurai = 256, Lord = 512, Ninja = 1024, Warlock = 2048, Alchemist = 32768;
inline constexpr int32_t Human = 1, Elf = 2, Dwarf = 4, Gnome = 8, Hobbit = 16, Fairy = 32,
                         Dragon = 64, Demon = 128, Angel = 256, Mutant = 512, Silva = 1024;

struct CharacterFixture {
    std::unique_ptr<Game> TheGame = std::make_unique<Game>();
    ScriptedPlayer Player;

    Game& G() { return *TheGame; }

    Creature& Make(int slot, int32_t classBit, int32_t race = Human, uint64_t seed = 1) {
        G().Rng.Seed(seed);
        TestCharacter made;
        made.Class = classBit;
        made.Race = static_cast<int16_t>(race);
        return made.Statistics(12).In(G(), slot);
    }
};

}  // namespace kv::testing
