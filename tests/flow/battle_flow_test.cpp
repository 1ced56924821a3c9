// Battles played by keys through the real session: a party of four formed
// in the tavern walks into the first maze, and one step on an event asks
// for the battle; every member gives a command and the win is paid into
// the save; another party runs; another is wiped out and goes home.
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "battle/BattleFixture.h"
#include "common/Golden.h"
#include "core/CommandMenus.h"
#include "flow/FlowHarness.h"

namespace kv::test {
namespace {

using namespace kv::testing;

// Four fighters of the battle fixture, Kai able to hide, against the
// fixture's monsters and pixies of one hit point in two groups of two. The
// step south from the entrance asks for the encounter; the way each battle
// ended is written into ends on its way to the maze.
void PrepareBattle(Flow& flow, std::vector<BattleEnd>& ends, int encounter) {
    BattleFixture fixture;
    Game& scenario = flow.Scenario();
    scenario.Items = fixture.G().Items;
    scenario.Monsters = fixture.G().Monsters;
    scenario.MonsterActions = fixture.G().MonsterActions;
    scenario.EncounterTable = fixture.G().EncounterTable;
    Creature pixie = BattleFixture::Monster(PixieId, "ピクシー", 0, 0);
    pixie.HPDice = {0, 0, 1};
    pixie.GroupDice = {0, 0, 2};
    pixie.Agility = 1;
    scenario.Monsters[PixieId] = pixie;
    auto cell = [&](int column, int row) -> int16_t& {
        return scenario.EncounterTable[static_cast<size_t>(column * 2001 + row)];
    };
    cell(0, 3) = PixieEncounter;
    cell(3, 3) = PixieId;
    cell(4, 3) = PixieId;
    for (int slot = 1; slot <= 4; ++slot) {
        Creature& c = scenario.Roster[static_cast<size_t>(slot)];
        c = fixture.G().Roster[static_cast<size_t>(slot)];
        c.PartyPos = 0;
        c.Skills[NoEncounterSkill] = 1;
    }
    scenario.Roster[3].Skills[4] = 1;  // hides
    EventDef& e = scenario.Events[1];
    e.ID = 1;
    e.Dungeon = 21;
    e.Floor = 1;
    e.X = 0;
    e.Y = 1;
    e.Dir = 2;  // arrived at facing south
    e.EventCase = 1;
    e.Kind = 14;  // a battle
    e.DataID = static_cast<int16_t>(encounter);
    flow.OnStarted = [&ends](Session& session) {
        ScreenContext& context = session.Screens();
        context.BattleOver = [&ends, mazeTakesOver = context.BattleOver](BattleEnd end) {
            ends.push_back(end);
            mazeTakesOver(end);
        };
    };
}

// Enough presses to read every message of a short battle. Esc closes a
// message; left over, it only moves the highlight of a menu to its way back
// and keeps the first member's command list where it is (a space would walk
// on in the maze).
TEST(BattleScreenFlow, EveryMemberGivesACommandAndTheWinIsPaidIntoTheSave) {
    Flow flow;
    std::vector<BattleEnd> ends;
    PrepareBattle(flow, ends, PixieEncounter);
    // Aki fights the first group, then Bob goes back to him and he fights
    // the second instead; Bob parries, Kai hides, Dan (in the back row with
    // a short sword) has no fight to offer and parries; from the
    // confirmation B goes back to Dan once more; then the round starts. The
    // rounds after it are fought by the automatic command.
    std::string keys = EnterAndStep + "Esc  F Enter  B  F Down Enter  P  H  P  B P  G" + Reads(20);
    for (int round = 0; round < 4; ++round) keys += "  O" + Reads(20);
    ASSERT_TRUE(flow.Run(keys)) << flow.Error();
    ASSERT_EQ(ends, std::vector<BattleEnd>{BattleEnd::Victory});
    EXPECT_EQ(flow.State().ScreenState, 0) << "the keys are the maze's again";
    EXPECT_EQ(flow.State().MenuState, MenuStates::Maze);
    const std::vector<nlohmann::json> commands = ListLines(flow, "lstBattleCommand");
    ASSERT_GE(commands.size(), 9u);
    std::vector<std::string> captions;
    for (size_t i = 0; i < commands.size() && i < 9; ++i)
        captions.push_back(commands[i]["caption"]);
    EXPECT_EQ(captions, (std::vector<std::string>{"アキ", "ボブ", "アキ", "ボブ", "カイ", "ダン",
                                                  "", "ダン", ""}));
    EXPECT_EQ(commands[0]["rows"][0], "F)戦う");
    EXPECT_EQ(commands[0]["rows"].back(), "O)ノーマルオート");
    EXPECT_EQ(commands[1]["rows"].back(), "B)戻る");
    EXPECT_EQ(commands[4]["rows"][2], "H)隠れる");
    EXPECT_EQ(commands[5]["rows"][0], "P)身を守る");
    EXPECT_EQ(commands[6]["rows"][0], "G)戦闘開始");
    const std::vector<nlohmann::json> monsters = ListLines(flow, "lstMonster");
    ASSERT_FALSE(monsters.empty());
    EXPECT_EQ(monsters[0]["rows"].size(), 2u);

    const auto saved = flow.SavedGame();
    double exp = 0;
    double gold = 0;
    for (int slot = 1; slot <= 4; ++slot) {
        exp += saved->Roster[static_cast<size_t>(slot)].Exp;
        gold += saved->Roster[static_cast<size_t>(slot)].Gold;
        EXPECT_EQ(saved->Roster[static_cast<size_t>(slot)].Victories, 1);
    }
    // Four pixies of 30 experience and 25 gold, shared by four.
    EXPECT_EQ(exp, 120);
    EXPECT_EQ(gold, 100);
    EXPECT_EQ(saved->MonsterKillCount[PixieId], 4);
    // The fanfare of the encounter, the event's battle scene (none chosen
    // yet: silence), the victory, and the maze's music back.
    const std::vector<int> scenes = flow.Scenes();
    ASSERT_GE(scenes.size(), 4u);
    EXPECT_EQ(std::vector<int>(scenes.end() - 4, scenes.end()),
              (std::vector<int>{SceneEncounter, SceneSilence, SceneVictory, SceneMaze1}));
}

TEST(BattleScreenFlow, ANewLeaderRunsAndThePartyIsBackOnTheSquareItCameFrom) {
    Flow flow;
    std::vector<BattleEnd> ends;
    PrepareBattle(flow, ends, OgreEncounter);
    flow.Scenario().Roster[2].Skills[8] = 1;  // always gets away
    // Aki steps back behind Bob in the reorder panel; Bob, now leading, runs.
    ASSERT_TRUE(flow.Run(EnterAndStep + "Esc  E B Enter  R" + Reads(10))) << flow.Error();
    ASSERT_EQ(ends, std::vector<BattleEnd>{BattleEnd::Escaped});
    const std::vector<nlohmann::json> commands = ListLines(flow, "lstBattleCommand");
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0]["caption"], "アキ");
    EXPECT_EQ(commands[1]["caption"], "ボブ");
    EXPECT_EQ(flow.State().PartyY, 0) << "back on the entrance";
    EXPECT_EQ(flow.State().MenuState, MenuStates::Maze);
    EXPECT_EQ(flow.SavedGame()->Roster[1].Escapes, 1);
    EXPECT_EQ(flow.Scenes().back(), SceneMaze1) << "the maze's music after the escape";
}

TEST(BattleScreenFlow, AWipedOutPartyGoesHomeIsSavedWhereItFellAndIsFoundThere) {
    Flow flow;
    std::vector<BattleEnd> ends;
    PrepareBattle(flow, ends, OgreEncounter);
    Creature& ogre = flow.Scenario().Monsters[OgreId];
    ogre.DamageDice = {1, 1, 500};
    ogre.AttackCount = 1;
    ogre.HPDice = {0, 0, 5000};
    ogre.GroupDice = {0, 0, 4};
    ogre.Agility = ogre.Luck = 40;
    std::string keys = EnterAndStep + "Esc";
    for (int round = 0; round < 3; ++round) keys += "  O" + Reads(30);
    ASSERT_TRUE(flow.Run(keys)) << flow.Error();
    ASSERT_EQ(ends, std::vector<BattleEnd>{BattleEnd::Defeat});
    const std::vector<std::string> dialogs = flow.Dialogs();
    EXPECT_NE(std::find(dialogs.begin(), dialogs.end(), "パーティーは全滅した"), dialogs.end());
    const std::vector<int> scenes = flow.Scenes();
    const auto fell = std::find(scenes.begin(), scenes.end(), SceneWipeOut);
    ASSERT_NE(fell, scenes.end());
    EXPECT_EQ(std::count(fell, scenes.end(), SceneVictory), 0);
    EXPECT_EQ(scenes.back(), SceneCastle);
    const auto saved = flow.SavedGame();
    EXPECT_EQ(saved->Roster[1].Status & StatusDead, StatusDead);
    EXPECT_EQ(saved->Roster[1].Place, 21);
    EXPECT_EQ(saved->Roster[1].Floor, 1);
    EXPECT_EQ(saved->Roster[1].PosY, 1);

    // Emi, new in town, goes alone into the maze, comes round by the east
    // so as to arrive facing north, clear of the battle event, where the
    // party fell; S finds them.
    saved->Roster[5] = BattleFixture(5).G().Roster[5];
    saved->Roster[5].PartyPos = 0;
    saved->Roster[5].Skills[NoEncounterSkill] = 1;
    std::ofstream(flow.SaveFolder() / SaveFileName, std::ios::binary) << SaveBytes(*saved);
    ASSERT_TRUE(
        flow.Run("Enter  G Enter  A Enter  Enter Enter  C Enter  E Enter  D Enter  Enter  "
                 "Left Up  Right Up Up  Right Up  Right Up  S"))
        << flow.Error();
    std::vector<std::string> found;
    for (const nlohmann::json& line : flow.Lines("list")) {
        if (line["caption"] == "見つかりました") found = line["rows"];
    }
    EXPECT_EQ(found, (std::vector<std::string>{"アキ", "ボブ", "カイ", "ダン"}));
}

TEST(BattleScreenFlow, TheScreenAsAPlayerSeesItMatchesItsGoldenPicture) {
    const fs::path goblin = fs::path(KORVANE_DEMO_DIR) / "mon_goblin.jpg";
    if (!fs::exists(goblin)) GTEST_SKIP() << "the demo's pictures are not made";
    Flow flow;
    std::vector<BattleEnd> ends;
    PrepareBattle(flow, ends, OgreEncounter);
    fs::copy_file(goblin, flow.DataFolder() / "mon_goblin.jpg");
    std::ofstream(flow.SaveFolder() / "KVR.ini") << "[画像]\nオーガ=mon_goblin.jpg\n";
    const fs::path shot = flow.SaveFolder() / "battle.png";
    // The second member's commands, with the help panel beside them.
    ASSERT_TRUE(flow.Run(EnterAndStep + "Esc  P  shot:" + shot.string())) << flow.Error();
    NullPlatform& platform = flow.Platform();
    std::optional<Image> picture = platform.Images().Load(shot.string());
    ASSERT_TRUE(picture);
    EXPECT_TRUE(MatchesGolden(platform.Images(), *picture, "battle"));
}

}  // namespace
}  // namespace kv::test
