// Forming the party, sharing its gold and finding a party wiped out, on a
// bare game with the scripted player.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "character/Party.h"
#include "core/Game.h"
#include "core/ScriptedPlayer.h"
#include "core/StringTable.h"
#include "town/RosterList.h"

namespace kv::test {
namespace {

constexpr int L = AlignLawful;
constexpr int N = AlignNeutral;
constexpr int C = AlignChaotic;
constexpr int JoinMode = static_cast<int>(RosterListMode::Join);

Creature& Character(Game& game, int slot, int alignment, std::string name = "") {
    Creature& c = game.Roster[static_cast<size_t>(slot)];
    c.Id = slot;
    c.Alignment = static_cast<uint8_t>(alignment);
    c.Name = name.empty() ? "キャラ" + std::to_string(slot) : std::move(name);
    return c;
}

TEST(PartyRules, WhoMayJoinFollowsTheAlignmentOfThePartySoFar) {
    struct Case {
        std::vector<int> members;  // alignments of the members already in
        bool rebuilt;
        std::vector<int> listed;  // alignments of free characters listed
    };
    const std::vector<Case> cases = {
        {{}, false, {L, N, C}},
        {{N, N}, true, {L, N, C}},
        {{L}, true, {L, N}},
        {{L, N}, false, {L, N}},
        {{C}, true, {N, C}},
        {{N, C}, false, {N, C}},
        // A mixed party takes 中立 on a list opened afresh...
        {{L, C}, false, {N}},
        // ... but nobody once the list is rebuilt after a join.
        {{L, C}, true, {}},
    };
    for (const Case& test : cases) {
        Game game;
        int slot = 1;
        for (int alignment : test.members) {
            Character(game, slot, alignment);
            JoinParty(game, slot++);
        }
        // One free character of each alignment, at slots 11, 12, 13.
        Character(game, 11, L);
        Character(game, 12, N);
        Character(game, 13, C);
        std::vector<int> listed;
        for (int s : RosterListSlots(game, JoinMode, test.rebuilt)) {
            listed.push_back(game.Roster[static_cast<size_t>(s)].Alignment);
        }
        EXPECT_EQ(listed, test.listed)
            << "members " << test.members.size() << " rebuilt " << test.rebuilt;
    }
}

TEST(PartyRules, JoiningAndLeavingKeepTheMembersFields) {
    Game game;
    game.CurrentPartyNo = 3;
    for (int slot = 1; slot <= 7; ++slot) Character(game, slot, N);
    std::vector<bool> full;
    for (int slot = 1; slot <= 6; ++slot) full.push_back(JoinParty(game, slot));
    EXPECT_EQ(full, (std::vector<bool>{false, false, false, false, false, true}));
    EXPECT_TRUE(JoinParty(game, 7)) << "a full party takes nobody";
    EXPECT_EQ(game.Roster[7].Place, 0);
    const Creature& fourth = game.Roster[4];
    EXPECT_EQ((std::vector<int>{fourth.Place, fourth.Floor, fourth.PartyNo, fourth.PartyPos}),
              (std::vector<int>{1, 0, 3, 4}));
    EXPECT_EQ(game.PartyList[4], 4);
    // Members are no longer free to join.
    EXPECT_EQ(RosterListSlots(game, JoinMode, true), std::vector<int>{7});

    LeaveParty(game, 2);
    EXPECT_EQ(game.PartyCount, 5);
    EXPECT_EQ(
        (std::vector<int>{game.Roster[2].Place, game.Roster[2].PartyNo, game.Roster[2].PartyPos}),
        (std::vector<int>{0, 0, 0}));

    DissolveParty(game);
    EXPECT_EQ(game.PartyCount, 0);
    EXPECT_EQ(game.CurrentPlace, 2);
    for (int slot = 1; slot <= 6; ++slot) EXPECT_EQ(game.Roster[slot].PartyNo, 0) << slot;
}

TEST(PartyRules, GoldIsSharedExactlyAndTheRemainderLost) {
    struct Case {
        std::vector<double> gold;
        double share;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{10, 0, 5}, 5, "お金を山分けしました\r一人５です"},
        {{10, 0, 0}, 3, "お金を山分けしました\r一人３です"},
        {{1, 0, 0}, 0, "お金を山分けしました\r一人です"},
        // A single-precision sum would make this 33554432 and the share one less.
        {{16777217, 16777217, 1}, 11184811, "お金を山分けしました\r一人１１１８４８１１です"},
        {{9e15, 9e15}, 9e15, "お金を山分けしました\r一人９０００００００００００００００です"},
    };
    for (const Case& test : cases) {
        Game game;
        ScriptedPlayer player;
        for (size_t i = 0; i < test.gold.size(); ++i) {
            const int slot = static_cast<int>(i) + 1;
            Character(game, slot, N).Gold = test.gold[i];
            JoinParty(game, slot);
        }
        EXPECT_EQ(ShareGold(game, player), test.share);
        for (size_t i = 0; i < test.gold.size(); ++i) {
            EXPECT_EQ(game.Roster[i + 1].Gold, test.share) << "member " << i + 1;
        }
        EXPECT_EQ(player.Messages(), std::vector<std::string>{test.message});
    }
}

TEST(PartyRules, APartyIsWipedWhenEveryOneOfItsNumberIsDown) {
    struct Case {
        std::vector<int32_t> statuses;  // of the members of party 2
        bool wiped;
    };
    const std::vector<Case> cases = {
        {{}, true},
        {{StatusDead, StatusStone, StatusParalysis}, true},
        {{StatusAshes, StatusLost, StatusCarrot}, true},
        {{StatusDead, StatusSleep}, false},
        {{StatusDead, StatusPoison | StatusDisease}, false},
    };
    for (const Case& test : cases) {
        Game game;
        for (size_t i = 0; i < test.statuses.size(); ++i) {
            Creature& c = Character(game, static_cast<int>(i) + 1, N);
            c.PartyNo = 2;
            c.Status = test.statuses[i];
        }
        // A standing character of another party changes nothing.
        Character(game, 20, N).PartyNo = 5;
        EXPECT_EQ(IsPartyWiped(game, 2), test.wiped) << test.statuses.size();
    }
}

TEST(PartyRules, EmptyPartiesAreRefused) {
    Game game;
    ScriptedPlayer player;
    EXPECT_TRUE(RefuseEmptyParty(game, player));
    Character(game, 1, N);
    JoinParty(game, 1);
    EXPECT_FALSE(RefuseEmptyParty(game, player));
    EXPECT_EQ(player.Messages(), std::vector<std::string>{std::string(ResStringNumber(1063))});
}

}  // namespace
}  // namespace kv::test
