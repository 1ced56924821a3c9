// Fusion and alchemy: recipes opening with the kills, ingredients taken from
// the first holder in marching order, the loss roll, and the alchemist's
// choices.
#include <gtest/gtest.h>

#include "items/Alchemy.h"
#include "items/Fusion.h"
#include "items/ItemsFixture.h"

namespace kv::testing {
namespace {

// Recipe k: result and four ingredients, laid out as the table's columns.
void SetFusion(Game& game, int k, int32_t result, std::array<int32_t, 4> parts) {
    game.FusionTable[static_cast<size_t>(61 + k)] = static_cast<int16_t>(result);
    for (size_t n = 0; n < 4; ++n) {
        game.FusionTable[static_cast<size_t>(183 + 61 * static_cast<int>(n) + k)] =
            static_cast<int16_t>(parts[n]);
    }
}

int HeldCount(const Creature& c, int32_t id) {
    int n = 0;
    for (const InventorySlot& s : c.Items) n += s.ItemId == id ? std::max(1, s.ItemCount) : 0;
    return n;
}

TEST(Fusion, RecipeKOpensAfterMoreThanThirtyKSquaredKills) {
    ItemsFixture f;
    for (int k = 1; k <= 3; ++k) SetFusion(f.G(), k, Ring, {Sword, 0, 0, 0});
    f.G().MonsterKillCount[5] = 120;
    EXPECT_TRUE(FusionOpen(f.G(), 1));
    EXPECT_FALSE(FusionOpen(f.G(), 2));
    f.G().MonsterKillCount[6] = 1;
    EXPECT_TRUE(FusionOpen(f.G(), 2));
    // A recipe the scenario left empty never opens, whatever the kills.
    f.G().MonsterKillCount[5] = 30000;
    EXPECT_FALSE(FusionOpen(f.G(), 4));
    const std::vector<std::string> rows = FusionRows(f.G());
    ASSERT_EQ(rows.size(), 31u);
    EXPECT_EQ(rows[0], "01:指輪");
    EXPECT_EQ(rows[3], "4:？？？？？？？？？？");
    EXPECT_EQ(rows.back(), "前に戻る");
}

TEST(Fusion, IngredientsComeFromTheFirstHolderAndATwiceNamedItemTakesTwo) {
    ItemsFixture f;
    f.MakeParty();
    Creature& carol = f.Member(3);
    carol.Id = 3;
    carol.Name = "キャロル";
    f.G().PartyList[3] = 3;
    f.G().PartyCount = 3;
    SetFusion(f.G(), 1, Ring, {Sword, Helm, Ore, Ore});
    f.G().MonsterKillCount[1] = 31;
    f.Hold(2, 1, Sword);
    f.Hold(3, 1, Sword);
    f.Hold(3, 2, Helm);
    f.Hold(1, 1, Ore, 0, 1);
    // Without the helm nothing is taken.
    f.Member(3).Items[2] = {};
    f.Player.Yes();
    EXPECT_EQ(FuseItems(f.G(), f.Player, 1), FusionOutcome::Missing);
    EXPECT_EQ(
        HeldCount(f.Member(2), Sword) + HeldCount(f.Member(3), Sword) + HeldCount(f.Member(1), Ore),
        3);
    f.Hold(3, 2, Helm);
    // One ore satisfies both mentions; a second is taken when there is one.
    f.Hold(3, 3, Ore, 0, 2);
    f.G().Rng.Seed(7);
    f.Player.Yes();
    const FusionOutcome outcome = FuseItems(f.G(), f.Player, 1);
    ASSERT_TRUE(outcome == FusionOutcome::Made || outcome == FusionOutcome::Lost);
    EXPECT_EQ(HeldCount(f.Member(2), Sword), 0) << "the first holder gives the sword";
    EXPECT_EQ(HeldCount(f.Member(3), Sword), 1);
    EXPECT_EQ(HeldCount(f.Member(3), Helm), 0);
    EXPECT_EQ(HeldCount(f.Member(1), Ore), 0);
    EXPECT_EQ(HeldCount(f.Member(3), Ore), 1);
}

TEST(Fusion, OneRollInEighteenLosesEverything) {
    int lost = 0;
    for (uint64_t seed = 1; seed <= 360; ++seed) {
        ItemsFixture f;
        f.MakeParty();
        SetFusion(f.G(), 1, Ring, {Sword, 0, 0, 0});
        f.G().MonsterKillCount[1] = 31;
        f.Hold(1, 1, Sword);
        f.G().Rng.Seed(seed);
        f.Player.Yes();
        const FusionOutcome outcome = FuseItems(f.G(), f.Player, 1);
        EXPECT_EQ(HeldCount(f.Member(1), Sword), 0);
        if (outcome == FusionOutcome::Lost) {
            ++lost;
            EXPECT_EQ(HeldCount(f.Member(1), Ring), 0);
        } else {
            EXPECT_EQ(outcome, FusionOutcome::Made);
            EXPECT_EQ(HeldCount(f.Member(1), Ring), 1);
            EXPECT_EQ(f.G().ItemFound[Ring], 1);
        }
    }
    EXPECT_NEAR(lost, 20, 12);
}

TEST(Alchemy, ChoicesFollowTheSlotsAndACancelConsumesNothing) {
    ItemsFixture f;
    f.MakeParty();
    // Recipe 1: sword and helm make a ring; recipe 2: ore alone makes a potion.
    Game& g = f.G();
    g.AlchemyTable[1] = Ring;
    g.AlchemyTable[122] = Sword;
    g.AlchemyTable[243] = Helm;
    g.AlchemyTable[2] = Potion;
    g.AlchemyTable[123] = Ore;
    for (int slot = 1; slot <= 15; ++slot) f.Hold(1, slot, Boots);
    f.Hold(1, 1, Sword);
    f.Hold(1, 2, Sword);
    f.Hold(1, 3, Helm);
    // Shown once for each sword.
    const std::vector<AlchemyChoice> choices = AlchemyChoices(g, f.Member(1));
    ASSERT_EQ(choices.size(), 2u);
    EXPECT_EQ(choices[0].Recipe, 1);
    EXPECT_EQ(choices[1].Recipe, 1);

    EXPECT_EQ(MakeByAlchemy(g, f.Player, 1), AlchemyOutcome::Cancelled);
    EXPECT_EQ(HeldCount(f.Member(1), Sword), 2);
    f.Player.Pick(1);
    EXPECT_EQ(MakeByAlchemy(g, f.Player, 1), AlchemyOutcome::Made);
    EXPECT_EQ((std::vector<int>{HeldCount(f.Member(1), Sword), HeldCount(f.Member(1), Helm),
                                HeldCount(f.Member(1), Ring), g.ItemFound[Ring]}),
              (std::vector<int>{1, 0, 1, 1}));
    EXPECT_EQ(f.Player.Messages(),
              (std::vector<std::string>{"おおっと！", "新しいアイテムを手に入れました"}));
}

}  // namespace
}  // namespace kv::testing
