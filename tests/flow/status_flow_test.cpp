// The status window played by keys from the tavern: equipping a full set,
// a curse that will not come off, trading, dropping, collecting gold and
// switching skills, each checked in the save file.
#include <string>
#include <vector>

#include "character/RaceDefences.h"
#include "flow/FlowHarness.h"
#include "items/ItemsFixture.h"

namespace kv::test {
namespace {

using namespace kv::testing;

// Alice and Bob, fighters in town; Alice carries a full set and more.
void Outfitted(Flow& flow) {
    ItemsFixture items;
    Game& scenario = flow.Scenario();
    scenario.Items = items.G().Items;
    for (int slot = 1; slot <= 2; ++slot) {
        Creature& c = scenario.Roster[static_cast<size_t>(slot)];
        c.Id = slot;
        c.Name = slot == 1 ? "アリス" : "ボブ";
        c.Class = 1;
        c.Race = 1;
        c.Sex = 1;
        c.Alignment = 2;
        c.Level = 5;
        c.HP = c.MaxHP = 20;
        c.Gold = slot == 1 ? 100 : 40;
    }
    const std::vector<std::pair<int32_t, int32_t>> carried = {
        {Potion, 3}, {Sword, 1}, {Shield, 1}, {Helm, 1},      {Armour, 1},
        {Gloves, 1}, {Boots, 1}, {Ring, 1},   {CursedHelm, 1}};
    for (size_t i = 0; i < carried.size(); ++i) {
        scenario.Roster[1].Items[i + 1] = InventorySlot{carried[i].first, 0, carried[i].second};
    }
    for (int code : {3, 5, 9, 11}) {
        SkillDef& def = scenario.Skills[static_cast<size_t>(code)];
        def.SkillCode = static_cast<int16_t>(code);
        def.SkillName = "技" + std::to_string(code);
        def.SkillLevels[1] = 1;
    }
}

// Title, the tavern, both join, and Alice's status.
constexpr std::string_view ToStatus = "Enter  G Enter  A Enter Enter Enter Esc  I Enter Enter  ";

TEST(StatusFlow, AFullSetChangesArmourClassAndResistancesInTheSave) {
    Flow flow;
    Outfitted(flow);
    ASSERT_TRUE(flow.Run(std::string(ToStatus) +
                         "E Enter  Enter Enter  S Enter Enter  H Enter Enter  A Enter Enter  "
                         "G Enter Enter  B Enter Enter  L Up Enter Enter  L Enter  Enter  Esc"))
        << flow.Error();
    const auto saved = flow.SavedGame();
    const Creature& alice = saved->Roster[1];
    for (int slot = 2; slot <= 8; ++slot) {
        EXPECT_NE(alice.Items[static_cast<size_t>(slot)].ItemFlags & ItemPositionMask, 0)
            << "slot " << slot;
    }
    EXPECT_EQ(alice.Items[9].ItemFlags, 0) << "the cursed helm stays in the pack";
    Creature race = alice;
    ResetRaceDefences(*saved, race);
    EXPECT_EQ(alice.AC, race.BaseAC - 8);
    EXPECT_GE(alice.Resist[4], 50);
    EXPECT_GE(alice.Resist[8], 30);
    EXPECT_EQ(alice.Regen, 2);

    // The sheet shown last carries the new armour class.
    std::string sheetShown;
    for (const nlohmann::json& line : flow.Lines("list")) {
        if (line["name"] == "lstCommand") sheetShown = line["caption"];
    }
    EXPECT_EQ(sheetShown, "アリス");
}

TEST(StatusFlow, CursesTradesDropsAndGold) {
    Flow flow;
    Outfitted(flow);
    ASSERT_TRUE(flow.Run(std::string(ToStatus) +
                         // the cursed helm goes on and will not come off
                         "E Enter  H Enter Down Enter Enter  H Enter Enter  L Enter  Enter  "
                         // trading: the helm is refused, the sword goes to Bob
                         "T Enter Down Enter  9 Enter Enter  2 Enter  Esc  "
                         // a potion dropped, the gold collected, and back
                         "D Enter  1 Enter  Esc  P Enter Enter  Esc"))
        << flow.Error();
    const auto saved = flow.SavedGame();
    const Creature& alice = saved->Roster[1];
    const Creature& bob = saved->Roster[2];
    EXPECT_EQ(bob.Items[1].ItemId, Sword);
    EXPECT_EQ(alice.Items[1].ItemId, Potion);
    EXPECT_EQ(alice.Items[1].ItemCount, 2);
    bool helmStuck = false;
    for (const InventorySlot& held : alice.Items) {
        if (held.ItemId == CursedHelm) helmStuck = (held.ItemFlags & CursedEquipped) != 0;
    }
    EXPECT_TRUE(helmStuck);
    EXPECT_EQ(alice.Gold, 140);
    EXPECT_EQ(bob.Gold, 0);
    const std::vector<std::string> dialogs = flow.Dialogs();
    EXPECT_EQ(std::count(dialogs.begin(), dialogs.end(), "呪われている！"), 3);
    EXPECT_NE(std::find(dialogs.begin(), dialogs.end(), "お金を集めました"), dialogs.end());
}

TEST(StatusFlow, SkillsSwitchOnWithinTheLimit) {
    Flow flow;
    Outfitted(flow);
    // A natural armour class no race gives: switching skills leaves it be.
    flow.Scenario().Roster[1].BaseAC = flow.Scenario().Roster[1].AC = -7;
    ASSERT_TRUE(flow.Run(std::string(ToStatus) +
                         "K Enter  Space Down Space Down Space Down Space Enter Enter  "
                         "Space Enter  N Enter  N Enter  B Enter  Esc"))
        << flow.Error();
    const auto saved = flow.SavedGame();
    const Creature& alice = saved->Roster[1];
    EXPECT_NE(alice.Skills[3], 0);
    EXPECT_NE(alice.Skills[5], 0);
    EXPECT_NE(alice.Skills[9], 0);
    EXPECT_EQ(alice.Skills[11], 0);
    EXPECT_EQ(alice.AC, -7);
    // Next and previous walk the party, wrapping at the end.
    std::vector<std::string> shown;
    for (const nlohmann::json& line : flow.Lines("list")) {
        if (line["name"] == "lstCommand") shown.push_back(line["caption"]);
    }
    ASSERT_GE(shown.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(shown.end() - 3, shown.end()),
              (std::vector<std::string>{"ボブ", "アリス", "ボブ"}));
    // Walking the sheets leaves the party's own number alone: the panel still
    // finds both members.
    EXPECT_EQ(flow.State().CurrentPartyNo, 0);
    EXPECT_EQ(flow.State().PartyCount, 2);
    const std::vector<std::string> dialogs = flow.Dialogs();
    EXPECT_NE(std::find(dialogs.begin(), dialogs.end(),
                        "アリスが\n一度に装備できるスキルは『３』個までです"),
              dialogs.end());
}

}  // namespace
}  // namespace kv::test
