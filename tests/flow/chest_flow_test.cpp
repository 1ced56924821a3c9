// A chest played by keys through the real session: a party wins a battle
// an event starts one step into the first maze, the monsters leave a chest,
// the leader inspects it, names its trap from the list, takes it off and
// opens the chest; the find is in a pack and in the save.
#include <array>
#include <string>
#include <vector>

#include "battle/BattleFixture.h"
#include "core/CommandMenus.h"
#include "dungeon/TreasureSpots.h"
#include "flow/FlowHarness.h"
#include "ui/ScreenContext.h"

namespace kv::test {
namespace {

using namespace kv::testing;

constexpr int PotionId = 50;
constexpr uint64_t ChestSeed = 1;  // its battle leaves a chest (1d30 of 11 or less)

// Four fighters of the battle fixture against one pixie of one hit point,
// met one step south of the entrance; every trap is the same needle; the
// only thing a chest can hold is a potion. Aki, the leader, reads traps
// truly, disarms surely and learns from it.
void PrepareChest(Flow& flow) {
    BattleFixture fixture;
    Game& scenario = flow.Scenario();
    scenario.Items = fixture.G().Items;
    scenario.Monsters = fixture.G().Monsters;
    scenario.EncounterTable = fixture.G().EncounterTable;
    Creature& pixie = scenario.Monsters[PixieId] =
        BattleFixture::Monster(PixieId, "ピクシー", 0, 0);
    pixie.HPDice = {0, 0, 1};
    pixie.GroupDice = {0, 0, 1};
    pixie.Agility = 1;
    scenario.EncounterTable[3] = PixieEncounter;  // encounter row 3: one group of pixies
    scenario.EncounterTable[3 * 2001 + 3] = PixieId;
    for (int slot = 1; slot <= 4; ++slot) {
        Creature& c = scenario.Roster[static_cast<size_t>(slot)] =
            fixture.G().Roster[static_cast<size_t>(slot)];
        c.PartyPos = 0;
        c.Skills[SkillIndex(Skill::RareEncounters)] = 1;
    }
    for (int skill : {1, 11, 12, 103}) scenario.Roster[1].Skills[static_cast<size_t>(skill)] = 1;
    for (TrapDef& trap : scenario.Traps) trap = {0, 4, 1, "毒針が飛び出した", "ＮＥＥＤＬＥ"};
    ItemDef& potion = scenario.Items[PotionId];
    potion.Id = PotionId;
    potion.UnidentifiedName = "？ポーション";
    potion.Kind = 8;
    potion.FindLevel = potion.AppraiseLevel = 1;
    EventDef& e = scenario.Events[1];
    e.ID = e.Y = e.EventCase = 1;
    e.Dungeon = 21;
    e.Floor = 1;
    e.Dir = 2;
    e.Kind = 14;  // the battle
    e.DataID = PixieEncounter;
}

TEST(ChestFlow, AChestLeftByMonstersIsInspectedDisarmedAndOpened) {
    Flow flow;
    PrepareChest(flow);
    // Into the maze and one step; the round on the automatic command, its
    // messages read with Space (which the chest list ignores); I and member
    // 1, the name shown for two seconds; P and member 1, the first name of
    // the list; the chest's messages read with Esc (which the maze ignores).
    const std::string keys =
        "Enter  G Enter  A Enter  Enter Enter Enter Enter Enter  C Enter  E Enter  D Enter  Enter  "
        "Up  Esc  O" +
        Repeated("Space", 30) + "  I 1  wait:2100  P 1 Enter" + Repeated("Esc", 8);
    ASSERT_TRUE(flow.Run(keys, ChestSeed)) << flow.Error();
    const std::vector<std::string> dialogs = flow.Dialogs();
    const auto shown = [&dialogs](std::string_view text) {
        return std::find(dialogs.begin(), dialogs.end(), text) != dialogs.end();
    };
    ASSERT_TRUE(shown("モンスターは宝箱を持っていた"));
    std::vector<nlohmann::json> chest;
    for (const nlohmann::json& line : flow.Lines())
        if (line.value("name", "") == "lstTreasure" || line["t"] == "label") chest.push_back(line);
    ASSERT_EQ(chest.size(), 2u);
    EXPECT_EQ(chest[0]["rows"], (std::vector<std::string>{"I)調べる", "D)ＤＩＳＢＡ", "P)罠を外す",
                                                          "O)開ける", "L)立ち去る"}));
    EXPECT_EQ(chest[1]["text"], "ＮＥＥＤＬＥ");
    EXPECT_TRUE(shown("罠を外した"));
    EXPECT_FALSE(shown("罠に引っかかった！"));
    EXPECT_TRUE(shown("アキは\n？ポーションを手に入れた"));

    EXPECT_EQ(flow.State().ScreenState, ScreenStates::Map);
    const auto saved = flow.SavedGame();
    const Creature& aki = saved->Roster[1];
    int potions = 0;
    for (const InventorySlot& slot : aki.Items) {
        if (slot.ItemId != PotionId) continue;
        potions += slot.ItemCount;  // potions stack
        EXPECT_EQ(slot.ItemFlags & Unidentified, Unidentified);
    }
    EXPECT_GE(potions, 1);
    EXPECT_EQ(saved->ItemFound[PotionId], potions);
    // A quarter of the pixie's experience, and 25 x 4 for the trap.
    EXPECT_EQ(aki.Exp, saved->Roster[2].Exp + 100);
    // The victory's music lasts while the chest is up; the maze's follows.
    EXPECT_EQ(flow.Scenes().back(), SceneMaze1);
}

// The same battle's chest opened without a disarm: a member choice
// cancelled first gives the keys back to the list; the needle springs on
// the opener, and the chest still opens.
TEST(ChestFlow, AChestOpenedAsItIsSpringsItsTrapOnTheOpener) {
    Flow flow;
    PrepareChest(flow);
    const std::string keys =
        "Enter  G Enter  A Enter  Enter Enter Enter Enter Enter  C Enter  E Enter  D Enter  Enter  "
        "Up  Esc  O" +
        Repeated("Space", 30) + "  O Esc  O 1" + Repeated("Esc", 8);
    ASSERT_TRUE(flow.Run(keys, ChestSeed)) << flow.Error();
    const std::vector<std::string> dialogs = flow.Dialogs();
    EXPECT_EQ(Count(dialogs, "罠に引っかかった！"), 1u);
    EXPECT_EQ(Count(dialogs, "おおっと！！　毒針が飛び出した"), 1u);
    EXPECT_GE(Count(dialogs, "アキは\n？ポーションを手に入れた"), 1u);
    EXPECT_EQ(flow.State().ScreenState, ScreenStates::Map);
    const auto saved = flow.SavedGame();
    EXPECT_LT(saved->Roster[1].HP, saved->Roster[1].MaxHP);
    EXPECT_EQ(saved->Roster[1].Exp, saved->Roster[2].Exp) << "no disarm, no lesson";
}

// A hidden chest: the spot one step south of the entrance, found with F,
// its trap named from the list and taken off; its table's potion is the
// find, and the spent spot is in the save.
TEST(ChestFlow, AHiddenChestFoundWithFIsDisarmedAndOpened) {
    Flow flow;
    PrepareChest(flow);
    Game& scenario = flow.Scenario();
    scenario.Events[1] = EventDef{};  // no battle on the way
    scenario.ChestItemTable[1] = 1;
    scenario.ChestItemTable[1 + 51] = PotionId;
    flow.OnStarted = [](Session& session) {
        Game& game = session.Screens().TheGame;
        const std::array<int16_t, 5> spot = {21, 1, 0, 1, 1};  // place, floor, x, y, active
        for (int column = SpotPlace; column <= SpotActive; ++column)
            TreasureSpot(game, column, 1) = spot[static_cast<size_t>(column - 1)];
    };
    const std::string keys =
        "Enter  G Enter  A Enter  Enter Enter Enter Enter Enter  C Enter  E Enter  D Enter  Enter  "
        "Up  F Enter  P 1 Enter" +
        Repeated("Esc", 8);
    ASSERT_TRUE(flow.Run(keys, ChestSeed)) << flow.Error();
    const std::vector<std::string> dialogs = flow.Dialogs();
    EXPECT_EQ(Count(dialogs, "宝箱を発見した！"), 1u);
    EXPECT_EQ(Count(dialogs, "罠を外した"), 1u);
    EXPECT_GE(Count(dialogs, "アキは\n？ポーションを手に入れた"), 1u);
    EXPECT_EQ(flow.State().ScreenState, ScreenStates::Map);
    const auto saved = flow.SavedGame();
    EXPECT_EQ(TreasureSpot(*saved, SpotActive, 1), 0);
    EXPECT_GE(saved->ItemFound[PotionId], 1);
}

}  // namespace
}  // namespace kv::test
