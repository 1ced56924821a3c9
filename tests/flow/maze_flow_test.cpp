// The maze played by keys alone through the real session: a party formed in
// the tavern enters the first maze, walks, turns, bumps, opens a door, wraps
// at the edge, takes the stairs down and back up, suspends, and is resumed
// from the edge of town; a party that fell in the maze is found and its body
// carried home.
#include <string>
#include <utility>
#include <vector>

#include "battle/BattleRules.h"
#include "core/CommandMenus.h"
#include "core/MazeMap.h"
#include "core/NameCoding.h"
#include "flow/FlowHarness.h"
#include "items/ItemsFixture.h"
#include "ui/ScreenContext.h"

namespace kv::test {
namespace {

constexpr int TestPlace = 21;

void MazeCharacter(Flow& flow, int slot, const std::string& name) {
    Creature& c = flow.Scenario().Roster[static_cast<size_t>(slot)];
    c.Id = slot;
    c.Name = name;
    c.Alignment = 2;
    c.Level = 3;
    c.HP = c.MaxHP = 20;
    c.Skills[NoEncounterSkill] = 1;
}

// One content of an event that fires on arrival.
void Event(Flow& flow, int row, int floor, int x, int y, int facing, int kind, int state = 0,
           int toFloor = 0) {
    EventDef& e = flow.Scenario().Events[static_cast<size_t>(row)];
    e.ID = static_cast<int16_t>(row);
    e.Dungeon = TestPlace;
    e.Floor = static_cast<uint8_t>(floor);
    e.X = static_cast<uint8_t>(x);
    e.Y = static_cast<uint8_t>(y);
    e.Dir = static_cast<uint8_t>(facing);
    e.EventCase = 1;
    e.Kind = static_cast<uint8_t>(kind);
    e.State = state;
    e.LocFloor = static_cast<uint8_t>(toFloor);
    e.LocX = static_cast<uint8_t>(x);
    e.LocY = static_cast<uint8_t>(y);
}

// Floor 1 is open but for a wall south of (0, 2) and a door east of it;
// stairs at (1, 2) lead down when arrived at facing east, and from the
// same square of floor 2 back up when turned to face west. Arriving at
// (0, 0) facing north asks whether to go home, when there is a way home.
void SmallMaze(Flow& flow, bool wayHome) {
    Game& g = flow.Scenario();
    const int maze = MazeOf(TestPlace);
    SetWallMap(g, maze, 1, 0, 2, EdgeSouth | EdgeEast);
    SetDoorMap(g, maze, 1, 0, 2, EdgeEast);
    SetWallMap(g, maze, 1, 0, 3, EdgeNorth);
    SetWallMap(g, maze, 1, 1, 2, EdgeWest);
    SetDoorMap(g, maze, 1, 1, 2, EdgeWest);
    Event(flow, 1, 1, 1, 2, 1, 3, 1, 2);  // stairs down
    Event(flow, 2, 2, 1, 2, 3, 3, 0, 1);  // stairs up
    if (wayHome) Event(flow, 3, 1, 0, 0, 0, 16);
}

TEST(MazeFlow, WalkBumpDoorWrapStairsSuspendAndResume) {
    Flow flow;
    MazeCharacter(flow, 1, "アリア");
    MazeCharacter(flow, 2, "ベル");
    SmallMaze(flow, false);
    ASSERT_TRUE(flow.Run(FormAndEnter +
                         // About, north over the edge, about and back.
                         "Down Up  Down Up  "
                         // Two steps south, a bump on the wall, Enter reads it.
                         "Up Up  Up Enter  "
                         // Left faces east: Up bumps on the door, Space opens it; stairs, yes.
                         "Left  Up Enter  Space Y  "
                         // About on floor 2: the stairs up, yes; face north; suspend.
                         "Down Y  Right  Q  "
                         // The edge of town, resume the party of the first one listed.
                         "E Enter  O Enter  Enter  "
                         // I: the first member's status in camp.
                         "I Enter"))
        << flow.Error();

    const std::vector<Where> expected = {
        {1, 0, 0, 2},
        {1, 0, 0, 0},
        {1, 0, 19, 0},
        {1, 0, 19, 2},
        {1, 0, 0, 2},
        {1, 0, 1, 2},
        {1, 0, 2, 2},
        {1, 0, 2, 1},
        {1, 1, 2, 1},
        {2, 1, 2, 1},
        {2, 1, 2, 3},
        {1, 1, 2, 3},
        {1, 1, 2, 0},
        {0, 1, 2, 0},  // home: the position stays as it
                       // was
        {1, 1, 2, 0},  // resumed where the party stopped, facing north
    };
    const std::vector<Where> lines = WhereLines(flow);
    EXPECT_EQ(lines, expected);
    const std::vector<nlohmann::json> raw = flow.Lines("where");
    ASSERT_FALSE(raw.empty());
    EXPECT_EQ(raw.front()["place"], TestPlace);
    EXPECT_EQ(raw.back()["place"], TestPlace);

    // Every step between two where lines crossed an edge the map leaves open
    // (or a door, which only the Space step took).
    const Game& state = flow.State();
    for (size_t i = 1; i < lines.size(); ++i) {
        const Where& a = lines[i - 1];
        const Where& b = lines[i];
        if (a.Floor != b.Floor || (a.X == b.X && a.Y == b.Y)) continue;
        const int16_t walls = WallMap(state, MazeOf(TestPlace), a.Floor, a.X, a.Y);
        const int16_t doors = DoorMap(state, MazeOf(TestPlace), a.Floor, a.X, a.Y);
        const int16_t edge = EdgeOf(a.Facing);
        EXPECT_TRUE((walls & edge) == 0 || (doors & edge) != 0) << "step " << i;
    }

    const std::vector<std::string> dialogs = flow.Dialogs();
    EXPECT_EQ(Count(dialogs, "いてっ！"), 2u);
    EXPECT_EQ(Count(dialogs, "下る階段がある\r下がりますか？"), 1u);
    EXPECT_EQ(Count(dialogs, "上る階段がある\r上がりますか？"), 1u);
    for (const std::string& text : dialogs) EXPECT_EQ(text.find("戦闘"), std::string::npos);

    // I opened the status window of the first member, with the camp's commands.
    const std::vector<nlohmann::json> lists = flow.Lines("list");
    ASSERT_FALSE(lists.empty());
    EXPECT_EQ(lists.back()["name"], "lstCommand");
    EXPECT_EQ(lists.back()["caption"], "アリア");

    // The resumed party is in the maze again, and so says the save.
    EXPECT_EQ(state.MenuState, MenuStates::Maze);
    EXPECT_EQ(state.PartyCount, 2);
    const auto saved = flow.SavedGame();
    for (int slot : {1, 2}) {
        const Creature& c = saved->Roster[static_cast<size_t>(slot)];
        EXPECT_EQ(c.Place, TestPlace);
        EXPECT_EQ(c.Floor, 1);
        EXPECT_EQ(c.PosX, 1);
        EXPECT_EQ(c.PosY, 2);
        EXPECT_EQ(c.PartyNo, 1);
    }
    // The walk is in the automap: (0, 19) was stood on, (5, 5) never.
    EXPECT_NE(SeenDoors(*saved, MazeOf(TestPlace), 1, 0, 19), -1);
}

TEST(MazeFlow, AFallenPartyIsFoundWithSAndItsBodyComesHome) {
    Flow flow;
    MazeCharacter(flow, 1, "アリア");
    MazeCharacter(flow, 2, "ベル");
    SmallMaze(flow, true);
    // Left dead at (0, 1) of the first floor by a party of its own.
    Creature& fallen = flow.Scenario().Roster[3];
    MazeCharacter(flow, 3, "カイ");
    fallen.Status = StatusDead;
    fallen.HP = 0;
    fallen.Place = TestPlace;
    fallen.Floor = 1;
    fallen.PosX = 0;
    fallen.PosY = 1;
    fallen.PartyNo = 7;
    fallen.PartyPos = 1;
    // Nobody at the entrance; one step in, S finds カイ, Enter takes it along;
    // about, a step north onto the entrance: home, yes.
    ASSERT_TRUE(flow.Run(FormAndEnter + "S Enter  Up  S Enter  Down Up Y")) << flow.Error();
    const std::vector<std::string> dialogs = flow.Dialogs();
    EXPECT_EQ(Count(dialogs, "誰もいない"), 1u);
    bool found = false;
    for (const nlohmann::json& line : flow.Lines("list")) {
        found = found || (line["caption"] == "見つかりました" && line["rows"].size() == 1 &&
                          line["rows"][0] == "カイ");
    }
    EXPECT_TRUE(found);

    const auto saved = flow.SavedGame();
    const Creature& body = saved->Roster[3];
    EXPECT_NE(body.Status & StatusDead, 0);
    EXPECT_EQ(body.Floor, 0);
    EXPECT_EQ(body.Place, 0);
    EXPECT_EQ(body.PartyNo, 0);
    EXPECT_EQ(flow.State().MenuState, MenuStates::Castle);
}

// The battle stands in for itself: each StartBattle ends at once as the
// test says, through the maze's BattleOver.
void FakeBattles(Flow& flow, std::vector<int>& started, BattleEnd end) {
    flow.OnStarted = [&started, end](Session& session) {
        ScreenContext& context = session.Screens();
        context.StartBattle = [&context, &started, end](int encounter) {
            started.push_back(encounter);
            if (end == BattleEnd::Defeat)
                Defeat(context.TheGame, context.ThePlayer, context.TheDisplay);
            context.BattleOver(end);
        };
    };
}

TEST(MazeFlow, SkillsSwitchedInTheCampChangeTheOddsAtOnceAndTheWalkGoesOn) {
    Flow flow;
    MazeCharacter(flow, 1, "アリア");
    MazeCharacter(flow, 2, "ベル");
    SmallMaze(flow, false);
    // The first sheet, N to the second member, whose K opens an empty skill
    // window: its Enter switches off the skill that kept monsters away. Then
    // the same for the first member, and a step.
    ASSERT_TRUE(flow.Run(FormAndEnter + "1  N Enter  K Enter  Enter  Esc  "
                                        "1  K Enter  Enter  Esc  Up"))
        << flow.Error();
    EXPECT_EQ((std::vector<int>{flow.State().EncounterRate, flow.State().EncounterBase}),
              (std::vector<int>{2, 50}));
    EXPECT_EQ(WhereLines(flow).back(), (Where{1, 0, 1, 2})) << "the party walks on";
    int hints = 0;
    for (const nlohmann::json& line : flow.Lines("list"))
        hints += line["caption"] == "選べるスキルはありません\nＥｎｔｅｒで閉じる";
    EXPECT_EQ(hints, 2);
}

// One step in, an event asks for encounter 7; won, the after-battle event
// speaks.
void EventBattleAtOneStep(Flow& flow) {
    Event(flow, 4, 1, 0, 1, 2, 14);
    flow.Scenario().Events[4].DataID = 7;
    EventDef& after = flow.Scenario().Events[5];
    after = flow.Scenario().Events[4];
    after.ID = 5;
    after.EventCase = 4;
    after.Kind = 4;
    EncodeName("扉の向こうで何かが光った", after.MessageCodes, 1, 200);
}

TEST(MazeFlow, AnEventBattleWonRunsItsAfterBattleEventsAndTheWalkGoesOn) {
    Flow flow;
    MazeCharacter(flow, 1, "アリア");
    MazeCharacter(flow, 2, "ベル");
    SmallMaze(flow, false);
    EventBattleAtOneStep(flow);
    std::vector<int> started;
    FakeBattles(flow, started, BattleEnd::Victory);
    ASSERT_TRUE(flow.Run(FormAndEnter + "Up Enter  Up")) << flow.Error();
    EXPECT_EQ(started, std::vector<int>{7});
    const std::vector<std::string> dialogs = flow.Dialogs();
    EXPECT_EQ(Count(dialogs, "扉の向こうで何かが光った"), 1u);
    EXPECT_EQ(flow.State().MenuState, MenuStates::Maze);
    EXPECT_EQ(WhereLines(flow).back(), (Where{1, 0, 2, 2}));
}

TEST(MazeFlow, ADefeatLeavesTheBodiesWhereTheyFellAndTheCastleComesBack) {
    Flow flow;
    MazeCharacter(flow, 1, "アリア");
    MazeCharacter(flow, 2, "ベル");
    SmallMaze(flow, false);
    EventBattleAtOneStep(flow);
    std::vector<int> started;
    FakeBattles(flow, started, BattleEnd::Defeat);
    ASSERT_TRUE(flow.Run(FormAndEnter + "Up Enter")) << flow.Error();
    EXPECT_EQ(started, std::vector<int>{7});
    EXPECT_EQ(flow.State().MenuState, MenuStates::Castle);
    EXPECT_EQ(flow.State().CurrentFloor, 0);
    EXPECT_EQ(WhereLines(flow).back().Floor, 0);
    const auto saved = flow.SavedGame();
    for (int slot : {1, 2}) {
        const Creature& c = saved->Roster[static_cast<size_t>(slot)];
        EXPECT_EQ(c.Place, TestPlace);
        EXPECT_EQ(c.Floor, 1);
        EXPECT_EQ(c.PosY, 1);
        EXPECT_EQ(c.PartyNo, 1);
    }
}

// The camp (I in the maze) offers what town does not: a member with the
// skills identifies an item and then appraises it.
TEST(MazeFlow, TheCampIdentifiesAndAppraises) {
    Flow flow;
    MazeCharacter(flow, 1, "アリア");
    MazeCharacter(flow, 2, "ベル");
    SmallMaze(flow, false);
    Game& g = flow.Scenario();
    g.Items = testing::ItemsFixture().G().Items;
    Creature& aria = g.Roster[1];
    aria.Skills[SkillIndex(Skill::Identify)] = aria.Skills[SkillIndex(Skill::Appraise)] = 1;
    aria.Items[1] = InventorySlot{testing::Sword, Unidentified, 1};
    ASSERT_TRUE(flow.Run(FormAndEnter + "I Enter  "
                                        // Appraising first is refused: it is not identified yet.
                                        "J Enter  Enter Enter  Esc  "
                                        // Identified at the first try (level 3 beats difficulty 1).
                                        "I Enter  Enter Enter  Esc  "
                                        // Now the appraisal opens its panel; Enter closes it; back.
                                        "J Enter  Enter  Enter  L Enter"))
        << flow.Error();

    const std::vector<std::string> dialogs = flow.Dialogs();
    EXPECT_EQ(Count(dialogs, "識別されていません"), 1u);
    EXPECT_EQ(Count(dialogs, "識別できました"), 1u);
    EXPECT_EQ(Count(dialogs, "鑑定できなかった・・・"), 0u);
    // The item list shows the true name once identified.
    std::vector<std::string> itemRows;
    for (const nlohmann::json& line : flow.Lines("list")) {
        if (line["name"] == "lstItem" && !line["rows"].empty()) itemRows.push_back(line["rows"][0]);
    }
    ASSERT_FALSE(itemRows.empty());
    EXPECT_NE(itemRows.front().find("？"), std::string::npos);
    EXPECT_NE(itemRows.back().find("ソード"), std::string::npos);
    const auto saved = flow.SavedGame();
    EXPECT_EQ(saved->Roster[1].Items[1].ItemFlags & Unidentified, 0);
    // The camp has its own music; the maze's comes back as it closes.
    const std::vector<int> scenes = flow.Scenes();
    ASSERT_GE(scenes.size(), 2u);
    EXPECT_EQ(std::vector<int>(scenes.end() - 2, scenes.end()),
              (std::vector<int>{SceneCamp, SceneMaze1}));
}

}  // namespace
}  // namespace kv::test
