// The soak's checks find each kind of broken save, and pass a sound one.
#include <gtest/gtest.h>

#include "soak/SoakChecks.h"

namespace kv::soak {
namespace {

TEST(SoakChecks, EachBrokenInvariantIsNamed) {
    auto party = [] {
        Game game;
        for (int slot = 1; slot <= 2; ++slot) {
            Creature& c = game.Roster[static_cast<size_t>(slot)];
            c.Name = slot == 1 ? "ALICE" : "BOB";
            c.HP = c.MaxHP = 10 + slot;
            c.PartyNo = 1;
            c.PartyPos = static_cast<uint8_t>(slot);
            c.PosX = 19;  // the last cell of a row is inside
            c.Items[1] = {5, 0, 1};
        }
        game.PartyCount = 2;
        return game;
    };
    EXPECT_EQ(BrokenInvariants(party()), std::vector<std::string>{});
    struct Case {
        void (*Break)(Game&);
        const char* Said;
    };
    const Case cases[] = {
        {[](Game& g) { g.Roster[1].HP = g.Roster[1].MaxHP + 1; }, "ALICE: HP 12 outside 0..11"},
        {[](Game& g) { g.Roster[2].HP = -1; }, "BOB: HP -1 outside 0..12"},
        {[](Game& g) { g.Roster[1].Gold = -1; }, "ALICE: gold"},
        {[](Game& g) { g.Roster[2].PosY = 20; }, "BOB: cell 19,20 outside the maze"},
        {[](Game& g) { g.Roster[1].Floor = 22; }, "ALICE: floor 22"},
        {[](Game& g) { g.Roster[2].PartyPos = 1; }, "BOB: shares position 1 of party 1"},
        {[](Game& g) { g.Roster[1].PartyPos = 7; }, "ALICE: party position 7"},
        {[](Game& g) {
             g.Roster[2].Items[15] = {0, 64, 0};
         },
         "BOB: empty pack slot 15"},
        {[](Game& g) { g.Roster[1].Items[1].ItemCount = -1; },
         "ALICE: pack slot 1 holds a negative"},
        {[](Game& g) { g.PartyCount = 7; }, "party count 7"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Said);
        Game game = party();
        c.Break(game);
        const std::vector<std::string> broken = BrokenInvariants(game);
        ASSERT_EQ(broken.size(), 1u);
        EXPECT_EQ(broken[0].rfind(c.Said, 0), 0u) << broken[0];
    }
}

}  // namespace
}  // namespace kv::soak
