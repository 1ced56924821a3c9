// Monster actions and summons played by keys through the real session: the
// party steps onto a battle event in the first maze; ogres breathe fire by
// their action table and strike with a special move; in another battle the
// leader summons golems with "M)召喚" and the golems fight the ogres.
#include <string>
#include <vector>

#include "battle/BattleFixture.h"
#include "flow/FlowHarness.h"

namespace kv::test {
namespace {

using namespace kv::testing;

constexpr int GolemId = 4;
constexpr int32_t GolemKind = 131072;
constexpr int FireRow = 401;
constexpr int StoneFangRow = 107;

// The fixture's four fighters against ogres that neither die nor befriend.
Creature& PrepareMonsters(Flow& flow) {
    BattleFixture fixture;
    Game& scenario = flow.Scenario();
    scenario.Items = fixture.G().Items;
    scenario.Monsters = fixture.G().Monsters;
    scenario.MonsterActions = fixture.G().MonsterActions;
    scenario.EncounterTable = fixture.G().EncounterTable;
    for (int slot = 1; slot <= 4; ++slot) {
        Creature& c = scenario.Roster[static_cast<size_t>(slot)];
        c = fixture.G().Roster[static_cast<size_t>(slot)];
        c.PartyPos = 0;
        c.Skills[NoEncounterSkill] = 1;
    }
    EventDef& e = scenario.Events[1];
    e.ID = 1;
    e.Dungeon = 21;
    e.Floor = 1;
    e.X = 0;
    e.Y = 1;
    e.Dir = 2;
    e.EventCase = 1;
    e.Kind = 14;  // a battle
    e.DataID = OgreEncounter;
    Creature& ogre = scenario.Monsters[OgreId];
    ogre.Level = 30;
    ogre.HPDice = {0, 0, 5000};
    ogre.DamageDice = {0, 0, 1};
    ogre.GroupDice = {0, 0, 2};
    return ogre;
}

bool SawDialog(const Flow& flow, std::string_view start) {
    for (const std::string& text : flow.Dialogs())
        if (text.rfind(start, 0) == 0) return true;
    return false;
}

TEST(MonsterFlow, OgresBreatheByTheirTableAndStrikeWithASpecialMove) {
    Flow flow;
    Creature& ogre = PrepareMonsters(flow);
    ogre.Agility = ogre.Luck = 40;
    for (size_t i = 1; i <= 20; ++i) ogre.Actions[i] = i <= 10 ? FireRow : StoneFangRow;
    MonsterActionDef& fire = flow.Scenario().MonsterActions[FireRow];
    fire.ActionKind = 1;
    fire.TargetType = 4;  // every member standing
    fire.DiceCount = "0";
    fire.DiceSides = "0";
    fire.DiceAdd = "2";
    fire.Times = "1";
    fire.Attribute = 4;
    fire.Message = "は炎を吐いた";
    flow.Scenario().MonsterActions[StoneFangRow].ActionKind = 3;
    std::string keys = EnterAndStep + "Esc";
    for (int round = 0; round < 2; ++round) keys += "  O" + Reads(30);
    ASSERT_TRUE(flow.Run(keys)) << flow.Error();
    EXPECT_TRUE(SawDialog(flow, "オーガは炎を吐いた\nアキ"));
    EXPECT_TRUE(SawDialog(flow, "オーガは炎を吐いた\nダン")) << "the back row burns too";
    EXPECT_TRUE(SawDialog(flow, "オーガはストーンファングを起こした\n"));
    int hurt = 0;
    for (int position = 1; position <= 4; ++position)
        if (flow.State().Member(position)->HP < 40) ++hurt;
    EXPECT_EQ(hurt, 4);
}

TEST(MonsterFlow, TheLeaderSummonsGolemsAndTheyFightTheOgres) {
    Flow flow;
    Creature& ogre = PrepareMonsters(flow);
    ogre.Agility = ogre.Luck = 5;
    Game& scenario = flow.Scenario();
    Creature golem = BattleFixture::Monster(GolemId, "ゴーレム", 0, 0);
    golem.Class = GolemKind;
    golem.SummonLevel = 5;
    golem.GroupDice = {0, 0, 2};
    golem.HPDice = {0, 0, 30};
    golem.DamageDice = {0, 0, 7};
    golem.Agility = golem.Luck = 30;
    scenario.Monsters[GolemId] = golem;
    scenario.MonsterKillCount[GolemId] = 1;
    Creature& aki = scenario.Roster[1];
    aki.Skills[SkillIndex(Skill::Summon)] = 1;
    aki.Skills[SkillIndex(SkillOf(Skill::FirstSummonKind, 7))] = 1;  // golems
    scenario.Roster[2].Skills[SkillIndex(Skill::LoyalSummons)] = 1;
    // Aki summons at level 9 (lowered to his 5); the others parry; then two
    // rounds of the automatic command.
    std::string keys = EnterAndStep + "Esc  M \"9\" Enter  P  P  P  G" + Reads(20);
    for (int round = 0; round < 2; ++round) keys += "  O" + Reads(30);
    ASSERT_TRUE(flow.Run(keys)) << flow.Error();
    EXPECT_TRUE(SawDialog(flow, "アキは\nゴーレムを\n２体召喚した"));
    EXPECT_EQ(flow.State().Battle.Summons[1].Id, GolemId) << "still standing when the keys end";
    bool panel = false;
    for (const nlohmann::json& line : flow.Lines("list"))
        if (line["name"] == "lblSummon" &&
            line["rows"][0] == "　ゴーレム　　　　　　　　　　　　　　２（２）")
            panel = true;
    EXPECT_TRUE(panel);
    EXPECT_TRUE(SawDialog(flow, "ゴーレムの攻撃！！\nオーガに"));
}

}  // namespace
}  // namespace kv::test
