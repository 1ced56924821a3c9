// Which characters the roster list shows for each purpose, what it says when
// nobody qualifies, what Enter does, and how a row reads.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Game.h"
#include "core/ScriptedPlayer.h"
#include "town/RosterList.h"

namespace kv::test {
namespace {

// 1 free in town, 2 a party member in town, 3 out in the maze, 4 free and
// dead, 5 an empty slot, 6 out in the maze with a wiped party.
Game RosterOfKinds() {
    Game game;
    auto make = [&game](int slot, int place, int floor, int partyNo, int32_t status) {
        Creature& c = game.Roster[static_cast<size_t>(slot)];
        c.Id = slot;
        c.Name = "C" + std::to_string(slot);
        c.Alignment = 2;
        c.Place = static_cast<uint8_t>(place);
        c.Floor = static_cast<uint8_t>(floor);
        c.PartyNo = static_cast<uint8_t>(partyNo);
        c.Status = status;
    };
    make(1, 0, 0, 0, 0);
    make(2, 1, 0, 1, 0);
    make(3, 21, 2, 4, 0);
    make(4, 0, 0, 0, StatusDead);
    make(6, 22, 3, 7, StatusDead);
    return game;
}

TEST(RosterList, EachPurposeListsItsOwnCharacters) {
    struct Case {
        RosterListMode mode;
        std::vector<int> slots;
        std::string none;
    };
    const std::vector<Case> cases = {
        {RosterListMode::Join, {1, 4}, "パーティーを組めるキャラクターがいません"},
        {RosterListMode::Resume, {3, 6}, "ダンジョンの中には誰もいません"},
        {RosterListMode::Locate, {1, 2, 3, 4, 6}, ""},
        {RosterListMode::ChangeClass, {1, 2, 4}, ""},
        {RosterListMode::Delete, {1, 2, 3, 4, 6}, ""},
        {RosterListMode::Rename, {1, 2, 3, 4, 6}, ""},
        {RosterListMode::View, {1, 2, 3, 4, 6}, ""},
        {RosterListMode::Move, {1, 2, 3, 4, 6}, ""},
    };
    const Game game = RosterOfKinds();
    for (const Case& test : cases) {
        const int mode = static_cast<int>(test.mode);
        EXPECT_EQ(RosterListSlots(game, mode, false), test.slots) << "mode " << mode;
        EXPECT_EQ(RosterListEmptyMessage(mode), test.none) << "mode " << mode;
    }
}

TEST(RosterList, EnterJoinsResumesOrRefusesAWipedParty) {
    Game game = RosterOfKinds();
    ScriptedPlayer player;
    const int resume = static_cast<int>(RosterListMode::Resume);
    EXPECT_EQ(RosterRowChosen(game, player, resume, 6), RowOutcome::StayOpen);
    EXPECT_EQ(player.Messages(), std::vector<std::string>{"そのパーティーは全滅しています"});
    EXPECT_EQ(RosterRowChosen(game, player, resume, 3), RowOutcome::Close);
    EXPECT_EQ(game.CurrentChar, 3);

    const int join = static_cast<int>(RosterListMode::Join);
    EXPECT_EQ(RosterRowChosen(game, player, join, 1), RowOutcome::Rebuild);
    EXPECT_EQ(game.PartyCount, 1);
    EXPECT_EQ(game.Roster[1].Place, 1);
    EXPECT_EQ(RosterRowChosen(game, player, static_cast<int>(RosterListMode::View), 4),
              RowOutcome::Close);
}

}  // namespace
}  // namespace kv::test
