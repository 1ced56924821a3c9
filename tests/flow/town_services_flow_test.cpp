// The inn, the temple and the fortune teller played by keys alone: a stay in
// every room, a level earned in the kennel, a revival, every ranking, and a
// fusion, each checked in the save file.
#include <algorithm>
#include <string>
#include <vector>

#include "character/CharacterRules.h"
#include "core/CommandMenus.h"
#include "flow/FlowHarness.h"
#include "items/ItemsFixture.h"

namespace kv::test {
namespace {

using namespace kv::testing;

Creature& Fighter(Flow& flow, int slot, const char* name) {
    Creature& c = flow.Scenario().Roster[static_cast<size_t>(slot)];
    c.Id = slot;
    c.Name = name;
    c.Class = 1;
    c.Race = 1;
    c.Sex = 1;
    c.Alignment = 2;
    c.Level = 1;
    c.Age = 20;
    c.HP = c.MaxHP = 10;
    c.Str = c.IQ = c.Piety = c.Vitality = c.Dexterity = c.Agility = c.Luck = c.Charm = 12;
    return c;
}

// Title, Alice and Bob join, back to the castle.
constexpr std::string_view PartyAtCastle = "Enter  G Enter  A Enter Enter Enter Esc  C Enter  ";

TEST(InnFlow, EveryRoomHealsAgesAndChargesAndTheKennelRaisesALevel) {
    Flow flow;
    Creature& alice = Fighter(flow, 1, "アリス");
    alice.Gold = 1000;
    alice.MaxHP = 30;
    alice.HP = 1;
    Creature& bob = Fighter(flow, 2, "ボブ");
    bob.Exp = ExpForLevel(1, 1, 1);
    std::string keys = std::string(PartyAtCastle) + "T Enter  ";
    // Alice: the kennel, then a week in each room; each stay ends with the
    // experience she still needs and the party window back on her.
    keys += "1  1 Enter  Enter Enter  ";
    for (const char* room : {"2", "3", "4", "5"}) {
        keys += std::string("1  ") + room + " Enter  \"1\" Enter  Enter Enter  ";
    }
    // Bob sleeps in the kennel and rises a level; the room list keeps the keys.
    keys += "2  1 Enter  Enter";
    ASSERT_TRUE(flow.Run(keys)) << flow.Error();
    const auto saved = flow.SavedGame();
    const Creature& a = saved->Roster[1];
    EXPECT_EQ((std::vector<double>{a.Gold, double(a.HP), double(a.Age), double(a.AgeDays)}),
              (std::vector<double>{1000 - 10 - 50 - 100 - 150, 1 + 1 + 3 + 5 + 10, 20, 1 + 28}));
    const std::vector<std::string> dialogs = flow.Dialogs();
    // The kennel's two words, then for each room the question, the sleep
    // and the experience still needed.
    ASSERT_GE(dialogs.size(), 14u);
    EXPECT_EQ(dialogs[0], "アリスは\n寝苦しそうに眠っている・・・");
    EXPECT_EQ(dialogs[11], "何週間宿泊しますか？");
    EXPECT_EQ(dialogs[12], "アリスは\nリッチな気分で眠っている・・・");
    EXPECT_EQ(dialogs[13].rfind("次のＬＶまであと", 0), 0u);
    // The room speaks for itself, the innkeeper for the rest.
    const std::vector<nlohmann::json> lines = flow.Lines("dialog");
    EXPECT_EQ(lines[0]["title"], "いぬごや");
    EXPECT_EQ(lines[11]["title"], "ＶＩＰルーム");
    EXPECT_EQ(lines[12]["title"], "ＶＩＰルーム");
    EXPECT_EQ(lines[13]["title"], "宿屋の主人");
    EXPECT_EQ(flow.State().Roster[2].Level, 2) << "Bob rose a level";
    const nlohmann::json rooms = flow.Lines("menu").back();
    EXPECT_EQ(rooms["rows"][2], "3)シングルルーム   １Ｗ／５０　 ＨＰ＋３");
}

TEST(TempleFlow, ADeadCharacterInTownIsRevivedForHisFee) {
    Flow flow;
    Creature& alice = Fighter(flow, 1, "アリス");
    alice.Gold = 1000;
    Fighter(flow, 2, "ボブ");
    Creature& carol = Fighter(flow, 3, "キャロル");
    carol.Level = 2;
    carol.Vitality = 18;
    carol.Status = 16384;
    carol.HP = 0;
    // A: the temple lists Carol; Enter, and Bob, who cannot pay, is told so
    // in the party window, which stays up for Alice to pay.
    ASSERT_TRUE(
        flow.Run(std::string(PartyAtCastle) + "A Enter  Enter  Down Enter  Enter  Up Enter  Enter"))
        << flow.Error();
    const auto saved = flow.SavedGame();
    EXPECT_EQ(saved->Roster[1].Gold, 500);
    EXPECT_EQ(
        (std::vector<int>{saved->Roster[3].Status, saved->Roster[3].HP, saved->Roster[3].Revivals}),
        (std::vector<int>{0, 10, 1}));
    EXPECT_EQ(flow.Dialogs(), (std::vector<std::string>{"貧乏人め！！", "回復した"}));
    // The temple keeps the castle's music.
    const std::vector<int> scenes = flow.Scenes();
    EXPECT_EQ(std::count(scenes.begin(), scenes.end(), SceneTemple), 0);
    EXPECT_EQ(scenes.back(), SceneCastle);
    // Nobody else needs help: the castle takes the keys back.
    EXPECT_EQ(flow.State().MenuState, MenuStates::Castle);
}

TEST(FortuneFlow, EveryRankingOpensAndARecipeFuses) {
    Flow flow;
    ItemsFixture items;
    Game& scenario = flow.Scenario();
    scenario.Items = items.G().Items;
    Fighter(flow, 1, "アリス").Items[1] = InventorySlot{Sword, 0, 1};
    Fighter(flow, 2, "ボブ").Items[1] = InventorySlot{Helm, 0, 1};
    // Recipe 1, a sword and a helm into a ring, opens after 30 kills.
    scenario.FusionTable[62] = Ring;
    scenario.FusionTable[184] = Sword;
    scenario.FusionTable[245] = Helm;
    scenario.Monsters[1].Id = 1;
    scenario.Monsters[1].Name = "スライム";
    scenario.MonsterKillCount[1] = 31;
    std::string keys = std::string(PartyAtCastle) + "B Enter  Enter Enter  ";
    for (int row = 1; row < 9; ++row) keys += "Down Enter Esc  ";
    // U: the fusion menu; recipe 1, yes, and the messages that follow.
    keys += "U Enter  Enter  Y  Enter Enter Enter Enter Enter Enter  Esc Enter  Esc Enter";
    ASSERT_TRUE(flow.Run(keys, 3)) << flow.Error();
    std::vector<std::string> summaries;
    for (const nlohmann::json& line : flow.Lines("list")) {
        if (line["name"] == "fdlgRank") summaries.push_back(line["caption"]);
    }
    ASSERT_EQ(summaries.size(), 9u);
    const std::vector<int> scenes = flow.Scenes();
    EXPECT_NE(std::find(scenes.begin(), scenes.end(), SceneStarReader), scenes.end());
    EXPECT_EQ(summaries[6], "倒打モンスター総数　３１　　倒打モンスター種数　１／１");
    const auto saved = flow.SavedGame();
    int rings = 0;
    for (int slot : {1, 2}) {
        for (const InventorySlot& held : saved->Roster[static_cast<size_t>(slot)].Items) {
            EXPECT_NE(held.ItemId, Sword);
            EXPECT_NE(held.ItemId, Helm);
            rings += held.ItemId == Ring;
        }
    }
    EXPECT_EQ(rings, 1);
    EXPECT_EQ(saved->ItemFound[Ring], 1);
    EXPECT_EQ(flow.State().MenuState, MenuStates::Castle);
}

TEST(AlchemyFlow, AnAlchemistInCampMakesARingFromASwordAndAHelm) {
    Flow flow;
    ItemsFixture items;
    Game& scenario = flow.Scenario();
    scenario.Items = items.G().Items;
    Creature& alice = Fighter(flow, 1, "アリス");
    alice.Skills[60] = 1;  // alchemy
    alice.Skills[14] = 1;  // no random monsters on the way in
    alice.Items[1] = InventorySlot{Sword, 0, 1};
    alice.Items[2] = InventorySlot{Helm, 0, 1};
    Fighter(flow, 2, "ボブ").Skills[14] = 1;
    scenario.AlchemyTable[1] = Ring;
    scenario.AlchemyTable[122] = Sword;
    scenario.AlchemyTable[243] = Helm;
    // Into the first maze, camp on Alice, M)錬金術, the only recipe.
    ASSERT_TRUE(flow.Run(std::string(PartyAtCastle) +
                         "E Enter  D Enter  Enter  I Enter  M Enter  Enter  Enter"))
        << flow.Error();
    const Creature& made = flow.State().Roster[1];
    EXPECT_EQ((std::vector<int32_t>{made.Items[1].ItemId, made.Items[2].ItemId}),
              (std::vector<int32_t>{Ring, 0}));
    EXPECT_EQ(flow.State().ItemFound[Ring], 1);
    EXPECT_EQ(flow.Dialogs().back(), "新しいアイテムを手に入れました");
}

}  // namespace
}  // namespace kv::test
