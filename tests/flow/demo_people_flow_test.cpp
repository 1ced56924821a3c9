// The demo's people and quests by keys alone, on the built demo scenario: a
// quest taken in the tavern, the informer on floor 1 talked to, bought from
// and sold to, the amulet found in his room and a hidden chest beside it, the
// quest reported for the ruby, the ruby given to the informer, and the hidden
// place it opens entered from the place menu, where the old map lies.
#include <string>
#include <vector>

#include "core/CommandMenus.h"
#include "core/TextFormat.h"
#include "dungeon/TreasureSpots.h"
#include "flow/DemoFlow.h"

namespace kv::test {
namespace {

// Items of the demo.
constexpr int Amulet = 242;
constexpr int OldMap = 250;
constexpr int Ruby = 253;

constexpr int AmuletQuest = 7;
constexpr int RubyFlag = 21;
constexpr int AmuletFlag = 43;
constexpr int MapFlag = 44;
constexpr int StartingGold = 1000;

// The spot the flow searches: the room east of the informer. The game
// scatters the spots itself at start-up; this one is laid after it.
void HiddenChestBesideTheInformer(Flow& flow) {
    auto escape = flow.OnStarted;
    flow.OnStarted = [escape, &flow](Session& session) {
        if (escape) escape(session);
        Game& game = flow.State();
        TreasureSpot(game, SpotPlace, 1) = 21;
        TreasureSpot(game, SpotFloor, 1) = 1;
        TreasureSpot(game, SpotX, 1) = 3;
        TreasureSpot(game, SpotY, 1) = 3;
        TreasureSpot(game, SpotActive, 1) = 1;
    };
}

int32_t Held(const Game& g, int item) {
    int32_t count = 0;
    for (int slot : {1, 2})
        for (const InventorySlot& s : g.Roster[static_cast<size_t>(slot)].Items)
            if (s.ItemId == item) count += s.ItemCount;
    return count;
}

TEST(DemoPeopleFlow, AQuestTheInformerTheRubyAndTheHiddenPlace) {
    if (!fs::exists(fs::path(KORVANE_DEMO_DIR) / "KVR4.DAT")) GTEST_SKIP() << "no demo";
    Flow flow;
    int randomBattles = 0;
    ASSERT_TRUE(flow.LoadScenario(KORVANE_DEMO_DIR)) << flow.Error();
    StrongParty(flow.Scenario());
    for (int slot : {1, 2}) flow.Scenario().Roster[static_cast<size_t>(slot)].Gold = StartingGold;
    EscapeRandomBattles(flow, randomBattles);
    HiddenChestBesideTheInformer(flow);

    // The tavern: both join, the third new quest (the lost amulet) taken.
    Keys keys(
        "Enter  G Enter  A Enter  Enter Enter Enter  "
        "Q Enter  Down Enter  Down Down Enter  Y Enter  "
        "C Enter  E Enter  D Enter  Enter  ",
        South);
    keys.Walk("S").Press("Enter");  // the entrance words
    keys.Walk("S2 E");              // the informer
    keys.Press("T \"ルビー\" Enter  Enter Enter");
    keys.Press("T \"護符\" Enter  Enter");
    keys.Press("B  Enter Enter  Esc");                    // the first ware
    keys.Press("S Enter Enter  Enter");                   // sold back at once
    keys.Press("L Enter");                                // gone
    keys.Walk("E* E3 N").Press("F Enter Enter");          // the amulet in the corner
    keys.Walk("S W2").Press("F Enter  O 1" + Reads(12));  // the hidden chest, sprung
    keys.Walk("W W* W N3").Press("Y");                    // home
    // The quest reported: the ruby.
    keys = Keys(keys.Text() +
                    "G Enter  Q Enter  Enter  Enter  Enter Enter Enter  Esc  "
                    "C Enter  E Enter  D Enter  Enter  ",
                South);
    keys.Walk("S3 E").Press(
        "G Enter Down Enter  Enter Enter Enter Enter  L Enter");  // the ruby given
    keys.Walk("W N3").Press("Y");                                 // home
    // The place menu offers the heart of Korvane first: in, to the map.
    keys = Keys(keys.Text() + "E Enter  D Enter  Enter  ", South);
    keys.Walk("S E3 E*").Press("Enter");        // the corridor's words
    keys.Walk("E4 S2").Press("F Enter Enter");  // the map
    keys.Walk("N2 W4 W* W3 N").Press("Y");      // home
    ASSERT_TRUE(flow.Run(keys.Text(), DemoSeed)) << flow.Error();

    const std::vector<std::string> dialogs = flow.Dialogs();
    const auto saw = [&dialogs](const std::string& text) { return Count(dialogs, text); };
    EXPECT_EQ(saw("いてっ！"), 0u);
    EXPECT_EQ(saw("クエストを受けました"), 1u);
    EXPECT_EQ(saw("「上物のルビーを持ってきな。"), 1u);
    EXPECT_EQ(saw("そうすりゃ、とっておきの話をしてやる」"), 1u);
    EXPECT_EQ(saw("「古い護符なら、この先の部屋の隅で\n見かけた気がするぜ」"), 1u);
    EXPECT_EQ(saw("ありがとう"), 1u);
    EXPECT_EQ(saw("アイテムを売った"), 1u);
    EXPECT_EQ(saw("部屋の隅に、古い護符が落ちていた！"), 1u);
    EXPECT_EQ(saw("宝箱を発見した！"), 1u);
    EXPECT_EQ(saw("罠に引っかかった！"), 1u);
    EXPECT_EQ(saw("ロランは\n瓶を手に入れた"), 1u);  // from the chest table's first level
    EXPECT_EQ(saw("クエストをコンプリートしました！"), 1u);
    EXPECT_EQ(saw("\n『コルヴァーネの中心』への道が開かれた"), 1u);
    EXPECT_EQ(saw("床の魔法陣の中心に、古い地図が置かれていた！"), 1u);
    EXPECT_EQ(saw("城へ戻りますか？"), 3u);

    const auto saved = flow.SavedGame();
    EXPECT_EQ(saved->QuestState[AmuletQuest], 3);
    EXPECT_EQ(saved->EventFlags[RubyFlag], 1);
    EXPECT_EQ(saved->EventFlags[AmuletFlag], 1);
    EXPECT_EQ(saved->EventFlags[MapFlag], 1);
    EXPECT_EQ(Held(*saved, Amulet), 0);
    EXPECT_EQ(Held(*saved, Ruby), 0);
    EXPECT_EQ(Held(*saved, OldMap), 1);
    // The first ware was bought by the first member and sold back to the
    // informer at half its price.
    const Game& demo = flow.Scenario();
    int ware = 0;
    size_t matched = 0;  // the longest name the first row holds
    for (const nlohmann::json& line : flow.Lines("list")) {
        if (line["name"] != "lstNPCBuy") continue;
        const std::string first = line["rows"][0];
        for (int32_t item : demo.NpcTrades[1].TradeItems) {
            const std::string name = Wide(demo.Items[static_cast<size_t>(item)].UnidentifiedName);
            if (item != 0 && name.size() > matched && first.find(name) != std::string::npos) {
                ware = item;
                matched = name.size();
            }
        }
        break;
    }
    ASSERT_NE(ware, 0);
    const double price = demo.Items[static_cast<size_t>(ware)].Price;
    EXPECT_EQ(saved->Roster[1].Gold, StartingGold - price + price * 0.5);
    EXPECT_EQ(saved->Roster[2].Gold, StartingGold);
    // The ruby's place was entered and walked to the map's corner.
    const auto entered = [&flow](int place, int x, int y) {
        for (const nlohmann::json& line : flow.Lines("where"))
            if (line["place"] == place && line["x"] == x && line["y"] == y) return true;
        return false;
    };
    EXPECT_TRUE(entered(24, 8, 3));
}

}  // namespace
}  // namespace kv::test
