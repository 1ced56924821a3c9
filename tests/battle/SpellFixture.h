#pragma once
// A battle of one ogre group against Aki the mage and Bob the priest, with a
// small spell table: an attack spell, a heal, a sleep, a shield and the
// other rows a test writes itself.
#include "BattleFixture.h"
#include "battle/SpellEngine.h"

namespace kv::testing {

inline constexpr int FireRow = 1;   // one monster, 10 fire damage
inline constexpr int HealRow = 2;   // one member, 8 points
inline constexpr int FreeRow = 10;  // rows from here on are the test's

struct SpellFixture : BattleFixture {
    SpellFixture() : BattleFixture(2) {
        Spell(FireRow, "HALITO", 0, 1, 1, 2, 1, {0, 0, 10}).SpellAttribute = 4;
        Spell(HealRow, "DIOS", 1, 1, 1, 7, 4, {0, 0, 8});
        Creature& ogre = G().Monsters[OgreId];
        ogre.GroupDice = {0, 0, 3};
        ogre.HPDice = {0, 0, 30};
        G().Rng.Seed(11);
        CreateGroups(G(), Player, Display, FindEncounterRow(G(), OgreEncounter));
        G().Battle.ListShown = true;
        Aki().Spell(0, 1, 1) = 1;
        Aki().MPAt(0, 1) = 1;
        Bob().Spell(1, 1, 1) = 1;
        Bob().MPAt(1, 1) = 2;
        Bob().HP = 5;
        Player.Clear();
    }
    SpellDef& Spell(int row, const char* name, int school, int level, int slot, int effect,
                    int targetKind, std::array<int16_t, 3> dice) {
        SpellDef& s = G().Spells[static_cast<size_t>(row)];
        s.Code = static_cast<int16_t>(row);
        s.Name = name;
        s.School = static_cast<uint8_t>(school);
        s.SpellLevel = static_cast<uint8_t>(level);
        s.Slot = static_cast<uint8_t>(slot);
        s.Effect = static_cast<uint8_t>(effect);
        s.TargetKind = static_cast<uint8_t>(targetKind);
        s.SpellFlags = SpellInBattle;
        s.SpellDice = dice;
        return s;
    }
    Creature& Aki() { return *G().Member(1); }
    Creature& Bob() { return *G().Member(2); }
    Creature& Ogre(int member) { return G().Battle.Monster(1, member); }
    // Casts the row at the target through the round's own dispatch.
    void Cast(Creature& caster, int row, int target, CommandCode command = CommandSpell) {
        caster.Command = command;
        caster.CommandArg = static_cast<int16_t>(row);
        caster.TargetGroup = static_cast<int16_t>(target);
        RunPartyAction(G(), Player, caster);
    }
};

}  // namespace kv::testing
