// The tavern played by keys alone through the real session: forming a party,
// removing a member, sharing the gold and leaving, each checked in the save.
#include <string>
#include <vector>

#include "core/CommandMenus.h"
#include "flow/FlowHarness.h"

namespace kv::test {
namespace {

constexpr int L = 1;
constexpr int N = 2;
constexpr int C = 4;

// Eight characters in town: slot, alignment, gold.
void EightInTown(Flow& flow) {
    const std::vector<std::pair<int, double>> kinds = {
        {L, 100}, {N, 0}, {C, 999}, {L, 50}, {N, 0}, {N, 0}, {L, 10}, {C, 7},
    };
    for (size_t i = 0; i < kinds.size(); ++i) {
        Creature& c = flow.Scenario().Roster[i + 1];
        c.Id = static_cast<int>(i) + 1;
        c.Name = "冒険者" + std::to_string(i + 1);
        c.Alignment = static_cast<uint8_t>(kinds[i].first);
        c.Gold = kinds[i].second;
        c.Level = 1;
        c.HP = c.MaxHP = 8;
    }
}

// The rows of every roster list shown, as counts.
std::vector<size_t> RosterListSizes(const Flow& flow) {
    std::vector<size_t> sizes;
    for (const nlohmann::json& line : flow.Lines("list")) {
        if (line["name"] == "frmCharacterList") sizes.push_back(line["rows"].size());
    }
    return sizes;
}

// Title, into the tavern, A to join.
constexpr std::string_view ToJoinList = "Enter  G Enter  A Enter  ";

TEST(TavernFlow, ASixthJoinerClosesTheListAndTheSharedGoldIsSaved) {
    Flow flow;
    EightInTown(flow);
    // Six Enters join the first character listed each time; the list closes
    // by itself; then G shares the gold and the message is read.
    ASSERT_TRUE(
        flow.Run(std::string(ToJoinList) + "Enter Enter Enter Enter Enter Enter  G Enter Enter"))
        << flow.Error();
    // 秩序 joined first, so the two 混沌 characters are never offered again.
    EXPECT_EQ(RosterListSizes(flow), (std::vector<size_t>{9, 6, 5, 4, 3, 2}));
    const std::vector<nlohmann::json> lists = flow.Lines("list");
    EXPECT_EQ(lists.front()["rows"].back(), "Ｒ）戻る");

    const auto saved = flow.SavedGame();
    const std::vector<int> members = {1, 2, 4, 5, 6, 7};
    for (size_t i = 0; i < members.size(); ++i) {
        const Creature& c = saved->Roster[static_cast<size_t>(members[i])];
        EXPECT_EQ((std::vector<int>{c.Place, c.Floor, c.PartyNo, c.PartyPos}),
                  (std::vector<int>{1, 0, 0, static_cast<int>(i) + 1}))
            << "member " << members[i];
        // 160 gold among six: 26 each, 4 lost.
        EXPECT_EQ(c.Gold, 26) << "member " << members[i];
    }
    for (int outsider : {3, 8}) {
        EXPECT_EQ(saved->Roster[static_cast<size_t>(outsider)].Place, 0);
    }
    EXPECT_EQ(saved->Roster[3].Gold, 999);
    EXPECT_EQ(flow.Dialogs().back(), "お金を山分けしました\r一人２６です");
    EXPECT_EQ(flow.State().PartyCount, 6);
    EXPECT_EQ(flow.Lines("party").back()["rows"].size(), 6u);
}

TEST(TavernFlow, RemovingTheSecondOfFourClosesTheRanks) {
    Flow flow;
    EightInTown(flow);
    // Four join and Esc closes the list; R, Down to the second member, Enter
    // removes him; G shares the gold among the three left.
    ASSERT_TRUE(flow.Run(std::string(ToJoinList) +
                         "Enter Enter Enter Enter Esc  R Enter Down Enter  G Enter Enter"))
        << flow.Error();
    const auto saved = flow.SavedGame();
    const Creature& removed = saved->Roster[2];
    EXPECT_EQ((std::vector<int>{removed.Place, removed.Floor, removed.PartyNo, removed.PartyPos}),
              (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(removed.Gold, 0) << "a leaver keeps his own gold";
    // Slots 1, 4, 5 are members 1..3 in their old order; 150 gold among them.
    const std::vector<int> members = {1, 4, 5};
    for (size_t i = 0; i < members.size(); ++i) {
        const Creature& c = saved->Roster[static_cast<size_t>(members[i])];
        EXPECT_EQ(c.PartyPos, static_cast<int>(i) + 1) << "member " << members[i];
        EXPECT_EQ(c.Place, 1);
        EXPECT_EQ(c.Gold, 50);
    }
    // The tavern came back with "R)仲間からはずす" current.
    const std::vector<nlohmann::json> menus = flow.Lines("menu");
    ASSERT_GE(menus.size(), 3u);
    EXPECT_EQ(menus.back()["state"], MenuStates::Tavern);
    EXPECT_EQ(menus.back()["index"], 1);
    EXPECT_EQ(flow.Lines("party").back()["rows"].size(), 3u);
}

TEST(TavernFlow, PartyWindowKeysPickAMemberOrGiveTheKeysBack) {
    Flow flow;
    EightInTown(flow);
    // Three join; R then Esc gives the keys back to the menu (nobody leaves);
    // R then 5 picks the last of three at once.
    ASSERT_TRUE(flow.Run(std::string(ToJoinList) + "Enter Enter Enter Esc  R Enter Esc  Enter 5"))
        << flow.Error();
    const Game& game = flow.State();
    EXPECT_EQ(game.PartyCount, 2);
    EXPECT_EQ(game.PartyList[1], 1);
    EXPECT_EQ(game.PartyList[2], 2);
    EXPECT_EQ(game.Roster[4].Place, 0) << "the third member, 4, left";
}

TEST(TavernFlow, EmptyPartiesAreRefusedAndTheWayOutLeadsToTheCastle) {
    Flow flow;
    EightInTown(flow);
    // R, I, G and Q with nobody in the party; then Esc and Enter leave.
    ASSERT_TRUE(
        flow.Run("Enter  G Enter  R Enter Enter  I Enter Enter  G Enter Enter  "
                 "Q Enter Enter  Esc Enter"))
        << flow.Error();
    EXPECT_EQ(flow.Dialogs(),
              (std::vector<std::string>{"パーティーを組んでいません", "パーティーを組んでいません",
                                        "パーティーを組んでいません", "パーティを組んでいません"}));
    EXPECT_EQ(flow.State().MenuState, MenuStates::Castle);
    std::vector<int> scenes;
    for (const nlohmann::json& line : flow.Lines("music")) scenes.push_back(line["scene"]);
    EXPECT_EQ(scenes.back(), 2);
    EXPECT_NE(std::find(scenes.begin(), scenes.end(), 5), scenes.end()) << "the tavern's music";
}

TEST(TavernFlow, ANewcomerWhoNobodyMayJoinHearsSo) {
    Flow flow;
    // Nobody in the roster at all.
    ASSERT_TRUE(flow.Run("Enter  G Enter  A Enter Enter")) << flow.Error();
    EXPECT_EQ(flow.Dialogs(), std::vector<std::string>{"パーティーを組めるキャラクターがいません"});
    EXPECT_TRUE(RosterListSizes(flow).empty());
}

}  // namespace
}  // namespace kv::test

namespace kv::test {
namespace {

TEST(TavernFlow, TheTrainingGroundsDissolveThePartyAndTheWayHomeIsTheCastle) {
    struct Case {
        std::string keys;  // after forming a party of two and leaving the tavern
        int place;
    };
    const std::vector<Case> cases = {
        // E to the edge of town, T: the party is dissolved on the way in.
        {"E Enter  T Enter", 2},
        // ... L back to the edge of town, and C takes it home to the castle.
        {"E Enter  T Enter  L Enter  C Enter", 1},
    };
    for (const Case& test : cases) {
        Flow flow;
        EightInTown(flow);
        ASSERT_TRUE(flow.Run(std::string(ToJoinList) + "Enter Enter Esc  C Enter  " + test.keys))
            << flow.Error();
        const Game& game = flow.State();
        EXPECT_EQ(game.PartyCount, 0) << test.keys;
        EXPECT_EQ(game.CurrentPlace, test.place) << test.keys;
        for (int slot : {1, 2}) {
            EXPECT_EQ(game.Roster[static_cast<size_t>(slot)].Place, 0) << test.keys;
            EXPECT_EQ(game.Roster[static_cast<size_t>(slot)].PartyNo, 0) << test.keys;
        }
        EXPECT_TRUE(flow.Lines("party").back()["rows"].empty()) << test.keys;
    }
}

}  // namespace
}  // namespace kv::test
