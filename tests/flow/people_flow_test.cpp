// People and quests by keys alone through the real session: a person met in
// the maze is asked about a topic and given the ruby, which opens the hidden
// maze on the place menu; in the tavern a quest is accepted, fulfilled and
// reported for its reward.
#include <string>
#include <vector>

#include "core/CommandMenus.h"
#include "core/NameCoding.h"
#include "flow/FlowHarness.h"

namespace kv::test {
namespace {

// Two members with no random encounters, and an arrival event on floor 1 of
// the first maze.
void PreparePeople(Flow& flow) {
    for (int slot : {1, 2}) {
        Creature& c = flow.Scenario().Roster[static_cast<size_t>(slot)];
        c.Id = slot;
        c.Name = slot == 1 ? "アリア" : "ベル";
        c.Alignment = 2;
        c.Level = 3;
        c.HP = c.MaxHP = 20;
        c.Skills[14] = 1;
    }
}
void ArrivalEvent(Flow& flow, int row, int y, int facing, int kind, const std::string& text) {
    EventDef& e = flow.Scenario().Events[static_cast<size_t>(row)];
    e = EventDef{};
    e.ID = static_cast<int16_t>(row);
    e.Dungeon = 21;
    e.Floor = 1;
    e.Y = static_cast<uint8_t>(y);
    e.Dir = static_cast<uint8_t>(facing);
    e.EventCase = 1;
    e.Kind = static_cast<uint8_t>(kind);
    e.DataID = 1;
    EncodeName(text, e.MessageCodes, 1, 200);
}
std::vector<std::string> Rows(const nlohmann::json& line) {
    return line["rows"].get<std::vector<std::string>>();
}

TEST(PeopleFlow, TalkToThePersonAndGiveTheRubyThatOpensTheHiddenMaze) {
    Flow flow;
    PreparePeople(flow);
    Game& g = flow.Scenario();
    g.Items[253].Name = "ルビー";
    g.Roster[1].Items[1] = {253, 0, 1};
    g.Talks[1] = TalkDef{0, 1, "ルビー", "持ってきたか？||待っているぞ", {}};
    g.Talks[2] = TalkDef{0, 1, "町", "町は北だ", {}};
    // His wares are all one lamp of 30; he pays half a price.
    g.Items[60] = ItemDef{};
    g.Items[60].Id = 60;
    g.Items[60].Price = 30;
    g.Items[61].Id = 61;
    g.Items[61].Price = 100;
    g.NpcTrades[1].TradeItems.fill(60);
    g.NpcTrades[1].TradeSellFactor = 0.5f;
    g.Roster[1].Gold = 100;
    g.Roster[2].Items[1] = {61, 0, 1};
    ArrivalEvent(flow, 1, 1, 2, 15, "よう、旅の者");  // one step south: person 1
    ArrivalEvent(flow, 2, 0, 0, 16, "");              // the entrance, faced north: home
    ASSERT_TRUE(
        flow.Run("Enter  G Enter  A Enter  Enter Enter Enter  C Enter  E Enter  D Enter "
                 // In, the person; the arrows move nobody while the panel is open.
                 "Enter  Up  Up Left  T \"ルビー\" Enter  Enter Enter  T \"町\" Enter  Enter  "
                 // A lamp bought, the second member's goods sold.
                 "B Enter Enter Esc  S Down Enter Enter Enter  "
                 // The first member gives his first item; four lines are said.
                 "G Enter Enter  Enter Enter Enter Enter  "
                 // Leave, go home, the place menu, into the hidden maze.
                 "L Enter  Down Up Y  E Enter  D Enter  Enter"))
        << flow.Error();

    const std::vector<std::string> dialogs = flow.Dialogs();
    EXPECT_EQ(Count(dialogs, "持ってきたか？") + Count(dialogs, "待っているぞ"), 2u);
    EXPECT_EQ(Count(dialogs, "町は北だ"), 1u);
    EXPECT_EQ(Count(dialogs, "ありがとう") + Count(dialogs, "アイテムを売った"), 2u);
    EXPECT_EQ(Count(dialogs, "\n『コルヴァーネの中心』への道が開かれた"), 1u);
    bool greeted = false;
    for (const nlohmann::json& line : flow.Lines("list"))
        greeted = greeted || (line["name"] == "lstGreeting" && Rows(line)[0] == "よう、旅の者");
    EXPECT_TRUE(greeted);
    // The party stayed on the person's square until it left him.
    const std::vector<Where> lines = WhereLines(flow);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[1], (Where{1, 0, 1, 2}));
    EXPECT_EQ(lines[2], (Where{1, 0, 1, 0}));
    // The place menu offers the hidden maze, first, and its row leads in;
    // the save knows it.
    nlohmann::json menu;
    for (const nlohmann::json& line : flow.Lines("menu"))
        if (line["state"] == MenuStates::MazeChoice) menu = line;
    ASSERT_FALSE(menu.is_null());
    EXPECT_EQ(Rows(menu)[0].substr(0, 2), "A)");
    EXPECT_EQ(flow.Lines("where").back()["place"], 24);
    const auto saved = flow.SavedGame();
    EXPECT_EQ(saved->EventFlags[21], 1);
    EXPECT_EQ(saved->Roster[1].Items[1].ItemId, 0);  // the ruby is gone
    EXPECT_EQ(saved->Roster[1].Gold, 70);
    EXPECT_EQ(saved->Roster[1].Items[2].ItemId, 60);
    EXPECT_EQ(saved->Roster[2].Gold, 50);
    EXPECT_EQ(saved->Roster[2].Items[1].ItemId, 0);
}

// Quest 31 asks for flag 30, which a square one step into the maze sets.
TEST(PeopleFlow, AQuestIsAcceptedFulfilledInTheMazeAndReportedForItsReward) {
    Flow flow;
    PreparePeople(flow);
    Game& g = flow.Scenario();
    g.Quests[3].QuestTitle = "古い剣";
    g.Quests[31].QuestTitle = "伝言";
    g.Quests[31].QuestTextCodes[201] = 300;
    g.Items[300].Name = "金の冠";
    ArrivalEvent(flow, 1, 1, 2, 11, "");  // one step south: flag 30 set
    g.Events[1].DataID = 30;
    ArrivalEvent(flow, 2, 0, 0, 16, "");  // the entrance, faced north: home
    ASSERT_TRUE(
        flow.Run("Enter  G Enter  A Enter  Enter Enter Enter  "
                 // New quests: the second offered, accepted.
                 "Q Enter  Down Enter  Down Enter  Y Enter  "
                 // Into the maze, the square, home, the tavern.
                 "C Enter  E Enter  D Enter  Enter  Up  Down Up Y  G Enter  "
                 // The accepted one, reported; the reward; the list is empty.
                 "Q Enter  Enter  Enter  Enter Enter Enter  Esc"))
        << flow.Error();

    const std::vector<std::string> dialogs = flow.Dialogs();
    EXPECT_EQ(Count(dialogs, "クエストをコンプリートしました！"), 1u);
    EXPECT_EQ(Count(dialogs, "金の冠を手に入れた"), 1u);
    EXPECT_EQ(Count(dialogs, "オファーしているクエストはありません"), 1u);
    std::vector<std::vector<std::string>> lists;
    for (const nlohmann::json& line : flow.Lines("list"))
        if (line["name"] == "frmQuest") lists.push_back(Rows(line));
    EXPECT_EQ(lists, (std::vector<std::vector<std::string>>{{"古い剣", "伝言"}, {"伝言"}, {}}));
    const auto saved = flow.SavedGame();
    EXPECT_EQ(saved->QuestState[31], 3);
    EXPECT_EQ(saved->EventFlags[30], 1);
    EXPECT_EQ(saved->Roster[1].Items[1].ItemId, 300);
}

}  // namespace
}  // namespace kv::test
