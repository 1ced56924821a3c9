// Coming home to the castle: what wears off, who drops out, who is gone for
// good, and the ending, shown once.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/RecordingDisplay.h"
#include "core/Game.h"
#include "core/PartyPanel.h"
#include "core/ScriptedPlayer.h"
#include "core/StringTable.h"
#include "town/CastleReturn.h"

namespace kv::test {
namespace {

// A party of the given statuses out on floor 3 of maze 21, with spells on.
Game PartyInTheMaze(const std::vector<int32_t>& statuses) {
    Game game;
    game.CurrentPartyNo = 1;
    game.CurrentPlace = 21;
    game.CurrentFloor = 3;
    game.PartyEffects = 5;
    game.PartyBlessings = 9;
    for (size_t i = 0; i < statuses.size(); ++i) {
        const int slot = static_cast<int>(i) + 1;
        Creature& c = game.Roster[static_cast<size_t>(slot)];
        c.Id = slot;
        c.Name = "M" + std::to_string(slot);
        c.Status = statuses[i];
        c.Place = 21;
        c.Floor = 3;
        c.PartyNo = 1;
        c.PartyPos = static_cast<uint8_t>(slot);
        c.PosX = 4;
        c.PosY = 7;
        c.BaseAC = 10;
        c.AC = 2;
    }
    RebuildPartyList(game);
    return game;
}

// The castle screen rebuilds the party from the roster as it comes back.
struct Trip : testing::RecordingDisplay {
    explicit Trip(Game& game) : game_(game) {}
    void ShowCastle() override {
        RecordingDisplay::ShowCastle();
        RebuildPartyList(game_);
    }

  private:
    Game& game_;
};

TEST(CastleReturn, ConditionsWearOffOrDropTheMemberOut) {
    struct Case {
        int32_t status;
        int32_t after;
        bool staysInParty;
    };
    const std::vector<Case> cases = {
        {0, 0, true},
        {StatusPoison | StatusDeadlyPoison, 0, true},
        {StatusFear | StatusFrozen | StatusShock, 0, true},
        {StatusBlind | StatusCharm | StatusSilence | StatusConfusion, 0, true},
        {StatusSleep | StatusPoison, StatusSleep, true},
        {StatusParalysis, StatusParalysis, false},
        {StatusFly, StatusFly, false},
        {StatusCarrot, StatusCarrot, false},
        {StatusDisease | StatusPoison, StatusDisease, false},
        {StatusStone, StatusStone, false},
        {StatusDead, StatusDead, false},
        {StatusAshes | StatusDead, StatusAshes | StatusDead, false},
    };
    for (const Case& test : cases) {
        // The member under test walks second behind a healthy leader.
        Game game = PartyInTheMaze({0, test.status});
        ScriptedPlayer player;
        Trip run(game);
        ReturnToCastle(game, player, run);
        const Creature& c = game.Roster[2];
        EXPECT_EQ(c.Status, test.after) << test.status;
        EXPECT_EQ(c.Place, test.staysInParty ? 1 : 0) << test.status;
        EXPECT_EQ(c.Floor, 0) << test.status;
        EXPECT_EQ(c.PosX, 0);
        EXPECT_EQ(c.AC, 10) << "armour class back to its base";
        EXPECT_EQ(game.PartyCount, test.staysInParty ? 2 : 1) << test.status;
        EXPECT_EQ(game.CurrentPlace, 1);
        EXPECT_EQ(game.CurrentFloor, 0);
        EXPECT_EQ(game.PartyEffects, 0);
        EXPECT_EQ(game.PartyBlessings, 0);
        EXPECT_EQ(run.Saves, 1);
        EXPECT_EQ(run.CastleShown, 1);
        EXPECT_TRUE(player.Messages().empty());
    }
}

TEST(CastleReturn, ALostMemberIsErasedFromTheRoster) {
    Game game = PartyInTheMaze({0, StatusLost | StatusDead, 0});
    ScriptedPlayer player;
    Trip run(game);
    ReturnToCastle(game, player, run);
    EXPECT_EQ(game.Roster[2].Id, 0);
    EXPECT_EQ(game.Roster[2].Name, "");
    EXPECT_EQ(game.PartyCount, 2);
    EXPECT_EQ(game.PartyList[2], 3) << "the third member closes up behind the first";
}

TEST(CastleReturn, ThePrizeBroughtHomeShowsTheEndingOnce) {
    Game game = PartyInTheMaze({0, 0, StatusDead});
    game.EventFlags[EndingFlag] = 1;
    game.Roster[2].Items[9].ItemId = EndingItem;
    ScriptedPlayer player;
    Trip run(game);
    ReturnToCastle(game, player, run);
    std::vector<std::string> ending;
    for (int id = 200; id <= 205; ++id) ending.emplace_back(ResStringNumber(id));
    EXPECT_EQ(player.Messages(), ending);
    EXPECT_EQ(game.Roster[1].Insignia[1], 1);
    EXPECT_EQ(game.Roster[2].Insignia[1], 1);
    EXPECT_EQ(game.Roster[3].Insignia[1], 0) << "the fallen member left the party first";
    EXPECT_EQ(game.EventFlags[EndingFlag], 0);
    EXPECT_EQ(run.PartyWindow, (std::vector<bool>{false, true}));

    // The next trip home shows nothing.
    player.Clear();
    ReturnToCastle(game, player, run);
    EXPECT_TRUE(player.Messages().empty());

    // Without the prize the pending ending waits.
    Game without = PartyInTheMaze({0});
    without.EventFlags[EndingFlag] = 1;
    Trip home(without);
    ReturnToCastle(without, player, home);
    EXPECT_TRUE(player.Messages().empty());
    EXPECT_EQ(without.EventFlags[EndingFlag], 1);
}

}  // namespace
}  // namespace kv::test
