// The demo's last fight, the empress on her throne (encounter 40), fought by
// the party of the tuning test raised to the levels a player reaches: at
// levels 8 to 10, with the gear its gold buys and its spells spent freely,
// she falls in most fights; the same party keeping its spells back loses
// more often, and at level 3 she is out of reach.
#include <gtest/gtest.h>

#include <iostream>

#include "battle/DemoParty.h"

namespace kv::testing {
namespace {

constexpr int EmpressSeeds = 16;

// What the shop sells a party that has fought its way to the empress: the
// fighters' knight swords and plate, the thief's compound bow, the priest's
// morning star, the mage's staff, and the better potions.
constexpr std::array<std::array<int, 5>, 6> LateGear = {{
    {4, 77, 83, 88, 93},
    {4, 77, 83, 88, 93},
    {4, 77, 83, 88, 93},
    {18, 74, 87, 92, 97},
    {49, 75, 82, 87, 92},
    {52, 72, 89, 91, 96},
}};

struct Throne {
    int Won = 0;
    int Rounds = 0;
};

Throne FightTheEmpress(Game& game, const std::vector<int32_t>& stock, int level, bool spells) {
    Throne result;
    for (int seed = 1; seed <= EmpressSeeds; ++seed) {
        game.Stock = stock;
        game.Rng.Seed(static_cast<uint64_t>(seed));
        ScriptedPlayer player;
        player.Keep = false;
        NewParty(game, player);
        for (int i = 1; i <= game.PartyCount; ++i) {
            Creature& c = *game.Member(i);
            c.Exp = ExpForLevel(level - 1, c.Class, c.Race);
            if (level < 6) continue;
            c.Gold = 3000;
            for (int id : LateGear[static_cast<size_t>(i - 1)]) {
                Buy(game, player, c, id);
                MarkAllEquippable(game, c);
                EquipItem(game, player, c,
                          static_cast<Position>(game.Items[static_cast<size_t>(id)].Kind),
                          SlotOf(c, id));
            }
            ApplyEquipment(game, c);
        }
        VisitTown(game);  // the levels, the spell points and the beds
        game.CurrentPlace = 21;
        game.CurrentFloor = 3;
        result.Won += Fight(game, player, EmpressEncounter, spells) == Fought::Won ? 1 : 0;
        result.Rounds += game.Battle.RoundNo;
    }
    return result;
}

TEST(DemoEmpress, APartyOfLevelEightToTenWithItsSpellsBeatsHerALevelThreePartyDoesNot) {
    auto game = LoadDemo();
    if (!game) GTEST_SKIP() << "the demo scenario is not built";
    const std::vector<int32_t> stock = game->Stock;
    int strong = 0;
    for (int level = 8; level <= 10; ++level) {
        const Throne t = FightTheEmpress(*game, stock, level, true);
        std::cout << "the empress against a level-" << level << " party with spells: beaten in "
                  << t.Won << " of " << EmpressSeeds << " fights, "
                  << static_cast<double>(t.Rounds) / EmpressSeeds << " rounds on average\n";
        strong += t.Won;
    }
    const Throne noSpells = FightTheEmpress(*game, stock, 9, false);
    const Throne weak = FightTheEmpress(*game, stock, 3, true);
    std::cout << "the empress against a level-9 party that keeps its spells back: beaten in "
              << noSpells.Won << " of " << EmpressSeeds << "\n"
              << "the empress against a level-3 party: beaten in " << weak.Won << " of "
              << EmpressSeeds << "\n";
    EXPECT_GE(strong * 3, 3 * EmpressSeeds * 2) << "two fights in three at least";
    EXPECT_LT(noSpells.Won, strong / 3) << "the spells count";
    EXPECT_LE(weak.Won * 8, EmpressSeeds) << "one in eight at most";
}

}  // namespace
}  // namespace kv::testing
