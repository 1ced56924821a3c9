// Every monster of the demo fights a party of six for many seeds: fighters
// in front, a mage and a priest who cast whatever they know, the priest
// summoning now and then. After every round nothing may have left its
// bounds: hit points, spell points, gold, experience, the groups.
#include <gtest/gtest.h>

#include <iostream>
#include <memory>
#include <sstream>
#include <string>

#include "battle/BattleRules.h"
#include "character/SpellBook.h"
#include "common/TestCharacter.h"
#include "core/Database.h"
#include "core/ScriptedPlayer.h"

namespace kv::testing {
namespace {

constexpr int SimulationSeeds = 20;
constexpr int RoundLimit = 30;
constexpr int EncounterRow = 2000;  // the table's last row, free for the test
constexpr int TestEncounter = 9999;
constexpr int FirstKindSkill = 174;  // the summoner's kind skills run 174..192
constexpr int LastKindSkill = 192;

std::unique_ptr<Game> LoadDemoDatabase() {
#ifdef KORVANE_DEMO_DIR
    auto game = std::make_unique<Game>();
    if (LoadDatabase(*game, KORVANE_DEMO_DIR, false).Ok()) return game;
#endif
    return nullptr;
}

// Classes: fighter 1, thief 8, priest 4, mage 2.
constexpr int32_t Classes[] = {1, 1, 1, 8, 4, 2};
constexpr int Mage = 6;
constexpr int Priest = 5;

void Muster(Game& game) {
    game.PartyCount = 0;
    for (int slot = 1; slot <= 6; ++slot) {
        TestCharacter made;
        made.Name = "メンバー" + std::to_string(slot);
        made.Class = Classes[slot - 1];
        made.Level = 6;
        made.HP = 30 + 4 * slot;
        for (int& s : made.Stats) s += slot % 3;
        Creature& c = made.Joins(game, slot);
        c.Place = static_cast<uint8_t>(game.CurrentPlace);
        c.Floor = static_cast<uint8_t>(game.CurrentFloor);
        c.AttackCount = 1;
        c.BaseAC = c.AC = 4;
        c.DamageRate.fill(100);
        c.Gold = 50;
        if (slot != Mage && slot != Priest) continue;
        for (size_t row = 1; row < game.Spells.size(); ++row) {
            const SpellDef& s = game.Spells[row];
            if (s.School <= 3 && IsSpellIndex(s.School, s.SpellLevel, s.Slot) && s.SpellLevel > 0)
                c.Spell(s.School, s.SpellLevel, s.Slot) = 1;
        }
        for (int school = 0; school <= 3; ++school)
            for (int level = 1; level < SpellLevels; ++level)
                c.MaxMPAt(school, level) = c.MPAt(school, level) = 3;
        for (int k = FirstKindSkill; k <= LastKindSkill; ++k) c.Skills[static_cast<size_t>(k)] = 1;
    }
}

// A spell the caster knows and may cast in battle, at a fitting target.
void ChooseSpell(Game& game, Creature& c) {
    std::vector<int> known;
    for (size_t row = 1; row < game.Spells.size(); ++row) {
        const SpellDef& s = game.Spells[row];
        if ((s.SpellFlags & SpellInBattle) != 0 && s.School <= 3 && s.SpellLevel > 0 &&
            IsSpellIndex(s.School, s.SpellLevel, s.Slot) && c.Spell(s.School, s.SpellLevel, s.Slot))
            known.push_back(static_cast<int>(row));
    }
    if (known.empty()) return;
    const int row = known[static_cast<size_t>(game.Rng.Next() % known.size())];
    const SpellDef& s = game.Spells[static_cast<size_t>(row)];
    c.Command = CommandSpell;
    c.CommandArg = static_cast<int16_t>(row);
    c.TargetGroup = s.TargetKind >= 4 ? game.PartyList[1 + game.Rng.Next() % game.PartyCount]
                                      : game.Battle.Rows[1];
}

void CastersCommands(Game& game) {
    for (const int position : {Priest, Mage}) {
        Creature* c = game.Member(position);
        if (c == nullptr || c->Command == CommandNone) continue;  // cannot act
        if (position == Priest && game.Battle.RoundNo % 4 == 1) {
            c->Command = CommandSummon;
            c->CommandArg = static_cast<int16_t>(1 + game.Rng.Next() % 10);
            continue;
        }
        ChooseSpell(game, *c);
    }
}

// Every bound a round must keep; the first one broken, or "".
std::string BrokenBound(const Game& game) {
    std::ostringstream why;
    for (int slot = 1; slot <= 6; ++slot) {
        const Creature& c = game.Roster[static_cast<size_t>(slot)];
        if (c.HP < 0 || c.HP > c.MaxHP) why << c.Name << " HP " << c.HP << "/" << c.MaxHP << "; ";
        if (c.Gold < 0 || c.Exp < 0)
            why << c.Name << " gold " << c.Gold << " exp " << c.Exp << "; ";
        for (int i = 0; i < SpellSchools * SpellLevels; ++i)
            if (c.MP[static_cast<size_t>(i)] < 0 ||
                c.MP[static_cast<size_t>(i)] > c.MaxMP[static_cast<size_t>(i)])
                why << c.Name << " MP at " << i << "; ";
    }
    const BattleState& b = game.Battle;
    // Monsters regenerate while at most at their maximum, uncapped: one
    // regeneration past it is within the rules.
    const auto creature = [&](const Creature& m, const char* side) {
        if (m.Id <= 0 || (m.Status & StatusDead) != 0) return;
        if (m.HP < 0 || m.HP > m.MaxHP + std::max<int>(m.Regen, 0))
            why << side << " " << m.Name << " HP " << m.HP << "/" << m.MaxHP << "; ";
    };
    for (int g = 1; g <= BattleGroupCount; ++g)
        for (int m = 1; m <= GroupMemberCount; ++m) creature(b.Monster(g, m), "monster");
    for (int s = 1; s <= SummonSlotCount; ++s)
        creature(b.Summons[static_cast<size_t>(s)], "summon");
    if (b.GroupCount < 0 || b.GroupCount > BattleGroupCount) why << "groups " << b.GroupCount;
    for (int r = 1; r <= b.GroupCount; ++r)
        if (b.Rows[static_cast<size_t>(r)] < 1 || b.Rows[static_cast<size_t>(r)] > BattleGroupCount)
            why << "row " << r << " names group " << b.Rows[static_cast<size_t>(r)] << "; ";
    if (b.GoldPool < 0 || b.ExpPool < 0 || b.KillCount < 0) why << "pools; ";
    for (int shield :
         {b.PartyMagicShield, b.PartyBreathShield, b.MonsterMagicShield, b.BreathShield})
        if (shield < 0 || shield > 3) why << "shield " << shield << "; ";
    return why.str();
}

TEST(BattleSimulation, EveryDemoMonsterFightsWithinTheBounds) {
    auto game = LoadDemoDatabase();
    if (!game) GTEST_SKIP() << "the demo scenario is not built";
    Game& g = *game;
    ScriptedPlayer player;
    player.Keep = false;
    NullGameDisplay display;
    std::fill(g.MonsterKillCount.begin(), g.MonsterKillCount.end(), 1);  // all summonable
    g.EncounterTable[static_cast<size_t>(EncounterRow)] = TestEncounter;
    int monsters = 0, battles = 0, rounds = 0;
    for (size_t id = 1; id < g.Monsters.size(); ++id) {
        if (g.Monsters[id].Id <= 0) continue;
        ++monsters;
        // Four groups of the one monster.
        for (int column = 3; column <= 6; ++column)
            g.EncounterTable[static_cast<size_t>(column * 2001 + EncounterRow)] =
                static_cast<int16_t>(id);
        for (uint64_t seed = 1; seed <= SimulationSeeds; ++seed) {
            SCOPED_TRACE(::testing::Message() << g.Monsters[id].Name << " seed " << seed);
            g.CurrentPlace = 21;
            g.CurrentFloor = 1;
            Muster(g);
            g.Rng.Seed(seed * 1000 + id);
            BattleEnd end = StartBattle(g, player, display, TestEncounter);
            ASSERT_EQ(BrokenBound(g), "");
            while (end == BattleEnd::Ongoing && g.Battle.RoundNo < RoundLimit) {
                AutoCommands(g);
                CastersCommands(g);
                end = StartRound(g, player, display);
                ASSERT_EQ(BrokenBound(g), "") << "round " << g.Battle.RoundNo;
            }
            ++battles;
            rounds += g.Battle.RoundNo;
        }
    }
    EXPECT_GT(monsters, 10);
    EXPECT_EQ(battles, monsters * SimulationSeeds);
    EXPECT_GT(rounds, battles * 2) << "battles fought, not fled at once";
    std::cout << monsters << " monsters, " << battles << " battles, " << rounds << " rounds\n";
}

}  // namespace
}  // namespace kv::testing
