#pragma once
// The one builder of characters for tests: a character in a roster slot with
// the fields the rules read set to plain values. Unless a test asks for
// others, its eight statistics all differ, so a rule that reads the wrong
// one gives itself away.
#include <array>
#include <cstdint>
#include <string>

#include "core/Game.h"

namespace kv::testing {

struct TestCharacter {
    std::string Name = "Ａｌｉｃｅ";
    int32_t Class = 1;  // fighter
    int16_t Race = 1;   // human
    int Level = 1;
    int32_t HP = 10;
    int16_t Age = 20;
    // Str, IQ, Piety, Vitality, Dexterity, Agility, Charm, Luck.
    std::array<int, 8> Stats{15, 9, 11, 13, 14, 16, 10, 12};

    TestCharacter& Statistics(int all) {
        Stats.fill(all);
        return *this;
    }

    // Written into the roster slot (an empty party member of no party).
    Creature& In(Game& game, int slot) const {
        Creature& c = game.Roster[static_cast<size_t>(slot)];
        c = Creature{};
        c.Id = slot;
        c.Name = Name;
        c.Class = Class;
        c.Race = Race;
        c.Sex = 1;
        c.Alignment = 2;
        c.Age = Age;
        c.Level = Level;
        c.MaxHP = c.HP = HP;
        c.Str = static_cast<uint8_t>(Stats[0]);
        c.IQ = static_cast<uint8_t>(Stats[1]);
        c.Piety = static_cast<uint8_t>(Stats[2]);
        c.Vitality = static_cast<uint8_t>(Stats[3]);
        c.Dexterity = static_cast<uint8_t>(Stats[4]);
        c.Agility = static_cast<uint8_t>(Stats[5]);
        c.Charm = static_cast<uint8_t>(Stats[6]);
        c.Luck = static_cast<uint8_t>(Stats[7]);
        return c;
    }

    // Written into the slot and joined to the party at the back.
    Creature& Joins(Game& game, int slot) const {
        Creature& c = In(game, slot);
        game.PartyCount = static_cast<int16_t>(game.PartyCount + 1);
        game.PartyList[static_cast<size_t>(game.PartyCount)] = static_cast<int16_t>(slot);
        c.PartyPos = static_cast<uint8_t>(game.PartyCount);
        return c;
    }
};

}  // namespace kv::testing
