// The main window's frame rules: command menus, the party list and panel,
// the battle help text, and what leaving the game does to the roster.
#include <gtest/gtest.h>

#include <array>

#include "core/CommandMenus.h"
#include "core/PartyPanel.h"

namespace kv {
namespace {

TEST(CommandMenus, CastleAndEdgeOfTownAsTheyAre) {
    auto game = std::make_unique<Game>();
    const CommandMenu castle = CommandMenuFor(MenuStates::Castle, *game);
    EXPECT_EQ(castle.Caption, "コルヴァーネ帝都");
    EXPECT_EQ(castle.Rows,
              (std::vector<std::string>{"G)ゴルドランの酒場", "T)冒険者の宿", "M)メルヴィック商店",
                                        "A)アルセア寺院", "B)コルヴァーネ星占所", "E)町外れ"}));
    const CommandMenu edge = CommandMenuFor(MenuStates::EdgeOfTown, *game);
    EXPECT_EQ(edge.Caption, "町外れ");
    EXPECT_EQ(edge.Rows[4], "E)ゲームの終了");
    EXPECT_EQ(CommandMenuFor(MenuStates::Shop, *game).Rows.size(), 6u);
    EXPECT_EQ(CommandMenuFor(MenuStates::Shop, *game).Caption, "メルヴィック商店 ");
    EXPECT_EQ(CommandMenuFor(MenuStates::Tavern, *game).Caption, "ゴルドランの酒場");
    EXPECT_TRUE(CommandMenuFor(MenuStates::Temple, *game).Rows.empty());
    EXPECT_TRUE(CommandMenuFor(42, *game).Rows.empty());
}

TEST(CommandMenus, TheMazeChoiceGrowsWithTheFlags) {
    auto game = std::make_unique<Game>();
    EXPECT_EQ(CommandMenuFor(MenuStates::MazeChoice, *game).Rows,
              (std::vector<std::string>{"1)石造りの淵", "2)愚者たちの縄張り",
                                        "3)イシュタルの地下城", "L)町外れ"}));
    game->EventFlags[21] = 1;
    EXPECT_EQ(CommandMenuFor(MenuStates::MazeChoice, *game).Rows.front(), "A)コルヴァーネの中心");
    game->EventFlags[22] = 1;
    const auto rows = CommandMenuFor(MenuStates::MazeChoice, *game).Rows;
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0], "S)シャングリラ");
    EXPECT_EQ(rows[1], "A)コルヴァーネの中心");
    EXPECT_EQ(rows[2], "1)石造りの淵");
}

class PartyTest : public ::testing::Test {
  protected:
    Creature& Member(int slot, const std::string& name, int pos) {
        Creature& c = game_->Roster[slot];
        c.Id = slot;
        c.Name = name;
        c.PartyPos = static_cast<uint8_t>(pos);
        c.Place = static_cast<uint8_t>(game_->CurrentPlace);
        c.Class = 1;
        c.Alignment = 1;
        return c;
    }
    std::unique_ptr<Game> game_ = std::make_unique<Game>();
};

TEST_F(PartyTest, ThePartyIsWhoStandsHereInMarchingOrderAndTheIdleGoToTheBack) {
    Member(3, "C", 1);
    Member(7, "A", 2).Status = StatusSleep;
    Member(9, "B", 3);
    Member(12, "Elsewhere", 4).Floor = 2;  // left in the maze
    Member(20, "Other", 5).PartyNo = 1;    // another party
    RebuildPartyList(*game_);
    ASSERT_EQ(game_->PartyCount, 3);
    EXPECT_EQ(game_->PartyList[1], 3);
    EXPECT_EQ(game_->PartyList[2], 9);
    EXPECT_EQ(game_->PartyList[3], 7) << "the sleeper goes to the back";
    // Awake again, the sleeper stays behind the others until the order is changed.
    game_->Roster[7].Status = 0;
    RebuildPartyList(*game_);
    EXPECT_EQ(game_->PartyList[3], 7);
    EXPECT_EQ(game_->Roster[7].PartyPos, 3);
}

TEST_F(PartyTest, TheMarchingOrderIsWalkedFromPositionOne) {
    // Roster slots 2, 4, 6 and 8 in list order, with these marching positions;
    // the party list comes out in the order given.
    struct Case {
        const char* What;
        std::array<int, 4> Positions;
        std::array<int, 4> Order;
    };
    const Case cases[] = {
        {"positions in list order", {1, 2, 3, 4}, {2, 4, 6, 8}},
        {"positions reversed", {4, 3, 2, 1}, {8, 6, 4, 2}},
        {"gaps close up", {9, 2, 30, 5}, {4, 8, 2, 6}},
        {"a shared position keeps list order", {2, 1, 2, 3}, {4, 2, 6, 8}},
        {"no position marches behind those who have one", {0, 2, 1, 0}, {6, 4, 2, 8}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        game_ = std::make_unique<Game>();
        for (int i = 0; i < 4; ++i) Member(2 + 2 * i, "M", c.Positions[i]);
        RebuildPartyList(*game_);
        ASSERT_EQ(game_->PartyCount, 4);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(game_->PartyList[i + 1], c.Order[i]) << "marching place " << i + 1;
            EXPECT_EQ(game_->Roster[c.Order[i]].PartyPos, i + 1);
        }
    }
}

TEST_F(PartyTest, PanelRowsCarryTheHitPointMarksAndTheState) {
    Member(1, "Ann", 1).HP = 10;
    game_->Roster[1].MaxHP = 12;
    game_->Roster[1].AC = -2;
    Member(2, "Bob", 2).Status = StatusPoison;
    Member(3, "Cid", 3).Regen = 1;
    Member(4, "Dee", 4).Regen = 2;
    game_->Roster[4].Status = StatusPoison;
    Member(5, "Eve", 5).Skills[89] = 1;
    game_->Roster[5].Gold = 1;
    Member(6, "Fay", 6).Status = StatusDead | StatusPoison;
    RebuildPartyList(*game_);
    const std::vector<PartyRow> rows = PartyPanelRows(*game_);
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0][0], "１：Ａｎｎ");
    EXPECT_EQ(rows[0][1], "Ｌ－戦士");
    EXPECT_EQ(rows[0][2], "－２");
    EXPECT_EQ(rows[0][3], "１０　");
    EXPECT_EQ(rows[0][4], "１２");
    EXPECT_EQ(rows[1][3], "０－");
    EXPECT_EQ(rows[1][4], "毒");
    EXPECT_EQ(rows[2][3], "０＋");
    EXPECT_EQ(rows[3][3], "０　") << "regenerating and poisoned shows no mark";
    EXPECT_EQ(rows[4][3], "０＋");
    EXPECT_EQ(rows[5][4], "死");
}

TEST_F(PartyTest, BattleHelpListsStatsSpellPointsAndWornItems) {
    Creature& c = Member(1, "Ann", 1);
    c.Str = 15;
    c.Dexterity = 12;
    c.Luck = 9;
    c.MPAt(1, 1) = 3;
    c.MPAt(1, 9) = 1;
    game_->Items[5].Name = "ロングソード";
    game_->Items[6].UnidentifiedName = "よろい？";
    c.Items[2] = {5, 1, 1};
    c.Items[4] = {6, 3 | Unidentified, 1};
    c.Items[5] = {5, 0, 1};  // carried, not worn
    EXPECT_EQ(BattleHelpText(*game_, c),
              "STR:15 DEX:12 LUK:9\rW:0/0/0/0/0/0/0/0/0\rC:3/0/0/0/0/0/0/0/1\r"
              "A:0/0/0/0/0/0/0/0/0\rT:0/0/0/0/0/0/0/0/0\rE:ロングソード\rE:よろい？");
}

TEST_F(PartyTest, LeavingInTownDissolvesThePartyAndInTheMazeKeepsItThere) {
    Member(1, "Ann", 1);
    Member(2, "Bob", 2);
    RebuildPartyList(*game_);
    LeaveGame(*game_);
    EXPECT_EQ(game_->Roster[1].Place, 0);
    EXPECT_EQ(game_->Roster[1].PartyNo, 0);

    auto maze = std::make_unique<Game>();
    maze->CurrentPlace = 21;
    maze->CurrentFloor = 3;
    maze->PartyX = 4;
    maze->PartyY = 17;
    game_.swap(maze);
    Member(1, "Ann", 1).Floor = 3;
    game_->Roster[1].BaseAC = 5;
    game_->Roster[1].AC = 1;
    RebuildPartyList(*game_);
    ASSERT_EQ(game_->PartyCount, 1);
    LeaveGame(*game_);
    const Creature& ann = game_->Roster[1];
    EXPECT_EQ(ann.Place, 21);
    EXPECT_EQ(ann.Floor, 3);
    EXPECT_EQ(ann.PosX, 4);
    EXPECT_EQ(ann.PosY, 17);
    EXPECT_EQ(ann.AC, 5);
    EXPECT_EQ(game_->PartyCount, 0);
    ReturnStragglersToTown(*game_);
    EXPECT_EQ(game_->Roster[1].Place, 21) << "a party left in the maze stays out";
}

}  // namespace
}  // namespace kv
