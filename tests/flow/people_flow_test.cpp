// People and quests played by keys alone through the real session: a person
// met in the maze is asked about a topic and given the ruby, which opens
// the hidden maze on the place menu; in the tavern a quest is accepted,
// fulfilled and reported for its reward.
#include <string>
#include <vector>

#include "core/CommandMenus.h"
#include "core/NameCoding.h"
#include "flow/FlowHarness.h"

namespace kv::test {
namespace {

constexpr int Place = 21;
constexpr int NoEncounterSkill = 14;
constexpr int Ruby = 253;

void Character(Flow& flow, int slot, const std::string& name) {
    Creature& c = flow.Scenario().Roster[static_cast<size_t>(slot)];
    c.Id = slot;
    c.Name = name;
    c.Alignment = 2;
    c.Level = 3;
    c.HP = c.MaxHP = 20;
    c.Skills[NoEncounterSkill] = 1;
}

void ArrivalEvent(Flow& flow, int row, int x, int y, int facing, int kind, int dataId,
                  const std::string& message = "") {
    EventDef& e = flow.Scenario().Events[static_cast<size_t>(row)];
    e.ID = static_cast<int16_t>(row);
    e.Dungeon = Place;
    e.Floor = 1;
    e.X = static_cast<uint8_t>(x);
    e.Y = static_cast<uint8_t>(y);
    e.Dir = static_cast<uint8_t>(facing);
    e.EventCase = 1;
    e.Kind = static_cast<uint8_t>(kind);
    e.DataID = static_cast<int16_t>(dataId);
    EncodeName(message, e.MessageCodes, 1, 200);
}

std::vector<std::string> Rows(const nlohmann::json& line) {
    std::vector<std::string> rows;
    for (const auto& row : line["rows"]) rows.push_back(row);
    return rows;
}

// Title, the tavern, two join, back to the castle, the edge of town, the
// place menu, the first maze.
const std::string FormAndEnter =
    "Enter  G Enter  A Enter  Enter Enter Enter  C Enter  E Enter  D Enter  Enter  ";

TEST(PeopleFlow, TalkToThePersonAndGiveTheRubyThatOpensTheHiddenMaze) {
    Flow flow;
    Character(flow, 1, "アリア");
    Character(flow, 2, "ベル");
    Game& g = flow.Scenario();
    g.Items[Ruby].Name = g.Items[Ruby].UnidentifiedName = "ルビー";
    g.Items[Ruby].Kind = 11;
    g.Roster[1].Items[1] = {Ruby, 0, 1};
    g.Talks[1].TalkPerson = 1;
    g.Talks[1].TalkTopic = "ルビー";
    g.Talks[1].TalkText = "持ってきたか？||待っているぞ";
    // One step south meets person 1; the entrance, faced north, leads home.
    ArrivalEvent(flow, 1, 0, 1, 2, 15, 1, "よう、旅の者");
    ArrivalEvent(flow, 2, 0, 0, 0, 16, 0);
    ASSERT_TRUE(flow.Run(FormAndEnter +
                         // The person; the arrows move nobody while the panel is open.
                         "Up  Up Left  "
                         // T: the topic, two pages.
                         "T \"ルビー\" Enter  Enter Enter  "
                         // G: the first member, his first item, four lines said.
                         "G Enter Enter  Enter Enter Enter Enter  "
                         // L: gone; about, a step home, yes; the edge of town, the places.
                         "L Enter  Down Up Y  E Enter  D Enter"))
        << flow.Error();

    const std::vector<std::string> dialogs = flow.Dialogs();
    EXPECT_EQ(Count(dialogs, "持ってきたか？"), 1u);
    EXPECT_EQ(Count(dialogs, "待っているぞ"), 1u);
    EXPECT_EQ(Count(dialogs, "\n『コルヴァーネの中心』への道が開かれた"), 1u);
    EXPECT_EQ(Count(dialogs, "立ち去った・・・"), 1u);
    EXPECT_EQ(flow.State().EventFlags[21], 1);
    EXPECT_EQ(flow.State().Roster[1].Items[1].ItemId, 0);

    bool greeted = false, panel = false;
    for (const nlohmann::json& line : flow.Lines("list")) {
        greeted =
            greeted || (line["name"] == "lstGreeting" && Rows(line).front() == "よう、旅の者");
        panel = panel || (line["name"] == "lstNPC" && Rows(line).size() == 5);
    }
    EXPECT_TRUE(greeted);
    EXPECT_TRUE(panel);
    // While the panel was open the party stayed on the person's square.
    const std::vector<Where> lines = WhereLines(flow);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[1], (Where{1, 0, 1, 2}));
    EXPECT_EQ(lines[2], (Where{1, 0, 1, 0}));

    // The place menu now offers the hidden maze, first.
    const std::vector<nlohmann::json> menus = flow.Lines("menu");
    ASSERT_FALSE(menus.empty());
    EXPECT_EQ(menus.back()["state"], MenuStates::MazeChoice);
    EXPECT_EQ(Rows(menus.back()).front().substr(0, 2), "A)");
    EXPECT_EQ(flow.SavedGame()->EventFlags[21], 1);
}

TEST(PeopleFlow, AQuestIsAcceptedFulfilledAndReportedForItsReward) {
    Flow flow;
    Character(flow, 1, "アリア");
    Character(flow, 2, "ベル");
    Game& g = flow.Scenario();
    g.Quests[3].QuestTitle = "古い剣";
    g.Quests[3].QuestText = "古い剣を探してくれ";
    g.Quests[7].QuestTitle = "護符";
    g.Quests[7].QuestText = "護符を持ってきてくれ";
    g.Quests[7].QuestTextCodes[201] = 300;
    g.Items[300].Name = "金の冠";
    g.Items[242].Name = "護符";
    g.Roster[2].Items[1] = {242, 0, 1};
    ASSERT_TRUE(
        flow.Run("Enter  G Enter  A Enter  Enter Enter Enter  "
                 // Q: new quests; the second offered, accepted.
                 "Q Enter  Down Enter  Down Enter  Y Enter  "
                 // Q: the accepted one, reported; the reward; the list is empty.
                 "Q Enter  Enter  Enter  Enter Enter Enter  Esc  "
                 // Q: the completed list, read and closed.
                 "Q Enter  Down Down Enter  Esc"))
        << flow.Error();

    const std::vector<std::string> dialogs = flow.Dialogs();
    EXPECT_EQ(Count(dialogs, "このクエストを受けますか？"), 1u);
    EXPECT_EQ(Count(dialogs, "クエストを受けました"), 1u);
    EXPECT_EQ(Count(dialogs, "クエストをコンプリートしました！"), 1u);
    EXPECT_EQ(Count(dialogs, "金の冠を手に入れた"), 1u);
    EXPECT_EQ(Count(dialogs, "オファーしているクエストはありません"), 1u);

    std::vector<std::vector<std::string>> quests;
    for (const nlohmann::json& line : flow.Lines("list")) {
        if (line["name"] == "frmQuest") quests.push_back(Rows(line));
    }
    const std::vector<std::vector<std::string>> expected = {
        {"古い剣", "護符"}, {"護符"}, {}, {"護符"}};
    EXPECT_EQ(quests, expected);

    const auto saved = flow.SavedGame();
    EXPECT_EQ(saved->QuestState[7], 3);
    EXPECT_EQ(saved->QuestState[3], 0);
    EXPECT_EQ(saved->Roster[2].Items[1].ItemId, 0);
    EXPECT_EQ(saved->Roster[1].Items[1].ItemId, 300);
    EXPECT_EQ(flow.State().MenuState, MenuStates::Tavern);
}

}  // namespace
}  // namespace kv::test
