#pragma once
// A fresh game with a small bestiary, one encounter and a party of fighters,
// for the battle rule tests and the simulation benchmark.
#include <memory>
#include <string>

#include "battle/BattleRules.h"
#include "common/RecordingDisplay.h"
#include "common/TestCharacter.h"
#include "core/Game.h"
#include "core/ScriptedPlayer.h"

namespace kv::testing {

inline constexpr int SlimeId = 1;
inline constexpr int OgreId = 2;
inline constexpr int SwordId = 10;
inline constexpr int SlimeEncounter = 5;
inline constexpr int OgreEncounter = 6;
inline constexpr int PlainAttackRow = 1;

struct BattleFixture {
    std::unique_ptr<Game> TheGame = std::make_unique<Game>();
    ScriptedPlayer Player;
    RecordingDisplay Display;

    Game& G() { return *TheGame; }

    static Creature Monster(int id, const char* name, int hpAdd, int damageAdd) {
        Creature m;
        m.Id = id;
        m.Name = name;
        m.SubName = "なにか";
        m.Sex = 4;
        m.Level = 3;
        m.HPDice = {1, 4, hpAdd};
        m.DamageDice = {1, 3, damageAdd};
        m.GroupDice = {1, 3, 0};
        m.AttackCount = 1;
        m.Agility = m.Luck = 10;
        m.Exp = 30;
        m.Gold = 25;
        m.TreasureLevel = 2;
        m.DamageRate.fill(100);
        m.WeaponRate.fill(100);
        m.Actions.fill(PlainAttackRow);  // every turn the plain attack
        return m;
    }

    void AddEncounter(int row, int number, int group1, int group2 = 0) {
        auto cell = [&](int column) -> int16_t& {
            return G().EncounterTable[static_cast<size_t>(column * 2001 + row)];
        };
        cell(0) = static_cast<int16_t>(number);
        cell(1) = 1;  // place 21
        cell(2) = 1;  // floor 1
        cell(3) = static_cast<int16_t>(group1);
        cell(4) = static_cast<int16_t>(group2);
    }

    Creature& Member(int slot, const std::string& name) {
        TestCharacter made;
        made.Name = name;
        made.Level = 5;
        made.HP = 40;
        made.Age = 0;
        Creature& c = made.Statistics(14).Joins(G(), slot);
        c.AttackCount = 2;
        c.DamageRate.fill(100);
        c.Items[1] = {SwordId, 1, 1};  // held in the main hand
        return c;
    }

    explicit BattleFixture(int partySize = 4) {
        G().MonsterActions[PlainAttackRow].ActionKind = 3;  // a built-in action by its row
        G().Monsters[SlimeId] = Monster(SlimeId, "スライム", 2, 0);
        G().Monsters[OgreId] = Monster(OgreId, "オーガ", 12, 2);
        ItemDef& sword = G().Items[SwordId];
        sword.Id = SwordId;
        sword.Name = "剣";
        sword.Kind = 1;
        sword.WeaponType = 1;
        sword.WeaponDice = {1, 8, 0};
        sword.Reach = 1;
        AddEncounter(1, SlimeEncounter, SlimeId, OgreId);
        AddEncounter(2, OgreEncounter, OgreId);
        G().CurrentPlace = 21;
        G().CurrentFloor = 1;
        static const char* Names[] = {"アキ", "ボブ", "カイ", "ダン", "エミ", "フウ"};
        for (int i = 0; i < partySize; ++i) Member(i + 1, Names[i]);
    }

    // Fights a whole battle with the automatic command; the number of rounds
    // fought comes back in rounds.
    BattleEnd FightToTheEnd(int encounter, int& rounds, int roundLimit = 200) {
        BattleEnd end = StartBattle(G(), Player, Display, encounter);
        while (end == BattleEnd::Ongoing && G().Battle.RoundNo < roundLimit) {
            AutoCommands(G());
            end = StartRound(G(), Player, Display);
        }
        rounds = G().Battle.RoundNo;
        return end;
    }
};

}  // namespace kv::testing
