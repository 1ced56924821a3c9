// The shop played by keys alone: buying the last sword, selling part of a
// stack and the sword back, identifying and uncursing for their fees, each
// checked in the save file.
#include <string>
#include <vector>

#include "character/Equipment.h"
#include "core/CommandMenus.h"
#include "flow/FlowHarness.h"
#include "items/ItemsFixture.h"

namespace kv::test {
namespace {

using namespace kv::testing;

// Alice, a fighter in town with 500 gold, five potions, a cursed helm on her
// head and an unidentified long sword; one sword on the shelf.
void ShopScenario(Flow& flow) {
    ItemsFixture items;
    Game& scenario = flow.Scenario();
    scenario.Items = items.G().Items;
    const std::vector<std::pair<int32_t, int32_t>> prices = {
        {Sword, 100}, {LongSword, 200}, {Potion, 20}, {CursedHelm, 80}};
    for (const auto& [id, price] : prices) scenario.Items[static_cast<size_t>(id)].Price = price;
    scenario.Items[Sword].WeaponType = 1;
    scenario.Items[LongSword].WeaponType = 1;
    scenario.Stock[Sword] = 1;
    scenario.Stock[Potion] = 5;
    scenario.Stock[LongSword] = -1;  // never sold here
    Creature& alice = scenario.Roster[1];
    alice.Id = 1;
    alice.Name = "アリス";
    alice.Class = 1;
    alice.Race = 1;
    alice.Sex = 1;
    alice.Alignment = 2;
    alice.Level = 5;
    alice.HP = alice.MaxHP = 20;
    alice.Gold = 500;
    alice.Items[1] = InventorySlot{Potion, 0, 5};
    alice.Items[2] =
        InventorySlot{CursedHelm, static_cast<int32_t>(Position::Head) | CursedEquipped, 1};
    alice.Items[3] = InventorySlot{LongSword, Unidentified, 1};
}

// Title, Alice joins, back to the castle, into the shop and Alice steps in.
constexpr std::string_view IntoShop =
    "Enter  G Enter  A Enter Enter Esc  C Enter  M Enter  Enter  ";

TEST(ShopFlow, BuySellIdentifyAndUncurseAreInTheSave) {
    Flow flow;
    ShopScenario(flow);
    ASSERT_TRUE(
        flow.Run(std::string(IntoShop) +
                 // The last sword: the weapons shelf empties, back to the shop menu.
                 "B Enter  W Enter  W Enter  Enter Enter  "
                 // Three of the five potions, the cursed helm refused, the sword back;
                 // on the shop's lists Esc takes the way back at once.
                 "S Enter  Right Right Enter Enter  Down Enter Enter  Down Down Enter Enter  Esc  "
                 // The long sword identified, the helm taken away, out and home.
                 "I Enter  Enter Enter  D Enter  Enter Enter  L Enter  Esc"))
        << flow.Error();
    const auto saved = flow.SavedGame();
    const Creature& alice = saved->Roster[1];
    // 500 - 100 + 3 x 10 + 50 - 100 - 40.
    EXPECT_EQ(alice.Gold, 340);
    EXPECT_EQ(saved->Stock[Sword], 1);
    EXPECT_EQ(saved->Stock[Potion], 8);
    EXPECT_EQ(saved->Stock[LongSword], -1);
    // The helm's slot is left empty; the long sword is known for what it is.
    EXPECT_EQ(
        (std::vector<int32_t>{alice.Items[1].ItemId, alice.Items[1].ItemCount,
                              alice.Items[2].ItemId, alice.Items[3].ItemId,
                              alice.Items[3].ItemFlags & Unidentified, alice.Items[4].ItemId}),
        (std::vector<int32_t>{Potion, 2, 0, LongSword, 0, 0}));
    const std::vector<std::string> dialogs = flow.Dialogs();
    const std::vector<std::string> expected = {
        "まいどありっ\nこれが最後の一つですよ", "まいどあり",      "呪われてますよ", "まいどあり",
        "識別できました\n\nロングソード",       "呪いを解きました"};
    EXPECT_EQ(dialogs, expected);
    EXPECT_EQ(flow.State().MenuState, MenuStates::Castle);
}

TEST(ShopFlow, AnEmptyShelfAndAnEmptyPurseAreRefused) {
    Flow flow;
    ShopScenario(flow);
    flow.Scenario().Roster[1].Gold = 10;
    // Armour has nothing in stock; the sword costs more than Alice has.
    ASSERT_TRUE(
        flow.Run(std::string(IntoShop) + "B Enter  A Enter Enter  W Enter  W Enter  Enter Enter"))
        << flow.Error();
    EXPECT_EQ(flow.Dialogs(),
              (std::vector<std::string>{"その種類は在庫がありません", "お金が足りませんよ"}));
    const auto saved = flow.SavedGame();
    EXPECT_EQ(saved->Stock[Sword], 1);
    EXPECT_EQ(saved->Roster[1].Gold, 10);
    // The goods row marks nothing for a fighter who may wear the sword.
    const nlohmann::json goods = flow.Lines("menu").back();
    EXPECT_EQ(goods["state"], MenuStates::ShopWeaponGoods);
    EXPECT_EQ(goods["rows"][0].get<std::string>().rfind("　ソード", 0), 0u);
}

TEST(ShopFlow, TheShopperCollectsThePartysGold) {
    Flow flow;
    ShopScenario(flow);
    Creature& bob = flow.Scenario().Roster[2];
    bob = flow.Scenario().Roster[1];
    bob.Id = 2;
    bob.Name = "ボブ";
    bob.Gold = 25;
    // Esc on the shop menu only moves to its last row; Up from there is P.
    ASSERT_TRUE(flow.Run(
        "Enter  G Enter  A Enter Enter Enter Esc  C Enter  M Enter  Enter  Esc Up Enter  Enter"))
        << flow.Error();
    const auto saved = flow.SavedGame();
    EXPECT_EQ(saved->Roster[1].Gold, 525);
    EXPECT_EQ(saved->Roster[2].Gold, 0);
    EXPECT_EQ(flow.Dialogs(),
              std::vector<std::string>{"お金を一人占めしました\n５２５Ｇ持っています"});
}

}  // namespace
}  // namespace kv::test
