// The demo maze played by keys alone through the real session, on the built
// demo scenario: the routes of the scenario's README lead to every kind of
// event the demo holds, and what they do shows in the dialogs, the where
// lines and the save.
#include <algorithm>
#include <array>
#include <sstream>
#include <string>
#include <vector>

#include "core/BattleState.h"
#include "core/CommandMenus.h"
#include "core/StringTable.h"
#include "flow/DemoFlow.h"
#include "ui/ScreenContext.h"

namespace kv::test {
namespace {

constexpr int Place = 21;

// Items of the demo.
constexpr int DemoPotion = 142;
constexpr int CopperRing = 101;
constexpr int StoneTablet = 182;
constexpr int SilverKey = 181;
constexpr int GreaterPotion = 143;
constexpr int ThunderOrb = 124;

class DemoMazeFlow : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!fs::exists(fs::path(KORVANE_DEMO_DIR) / "KVR4.DAT")) {
            GTEST_SKIP() << "no demo in " << KORVANE_DEMO_DIR;
        }
        Prepare(flow_, randomBattles_);
    }

    void Prepare(Flow& flow, int& randomBattles) {
        ASSERT_TRUE(flow.LoadScenario(KORVANE_DEMO_DIR)) << flow.Error();
        StrongParty(flow.Scenario());
        EscapeRandomBattles(flow, randomBattles);
    }

    void SpinTo(Keys& keys, int facing) {
        kv::test::SpinTo(keys, facing, DemoSeed,
                         [this](Flow& flow, int& battles) { Prepare(flow, battles); });
    }

    Flow flow_;
    int randomBattles_ = 0;
};

// Down through the three floors from a party formed in the tavern: the
// entrance words once, the iron gate and its lever, the hidden room's find,
// the stairs, the spinner, the floor trap, the riddle wrong and right, the
// locked door and its bar, the silver door opened with the riddle's key, the
// empress fought and her crown, and home from behind the throne.
TEST_F(DemoMazeFlow, DownToTheThroneByKeys) {
    Keys keys(FormAndEnter, South);
    keys.Walk("S").Press("Enter");                        // the entrance words
    keys.Walk("S7 W2 E").Press("Enter");                  // the gate is down
    keys.Walk("S4").Press("Enter Y Enter");               // the lever: up
    keys.Face(North).Face(South).Press("Enter Y Enter");  // again: down
    keys.Face(North).Face(South).Press("Enter N");        // left alone
    keys.Walk("N4 E").Press("Enter");                     // still down
    keys.Walk("S4").Press("Enter Y Enter");               // up
    keys.Walk("N4 E").Press("Enter");                     // through; it drops behind
    keys.Walk("E W6 N3").Press("Enter");                  // over the edge; the odd wall
    keys.Walk("N* E N").Press("F Enter Enter Enter Enter Enter Enter  F Enter");
    keys.Walk("S W S* S3 E2 S6 S* E S3 E").Press("Y");  // stairs down
    keys.Walk("N3 W N* N4 W3");
    SpinTo(keys, West);
    keys.Walk("W3 S3").Press("Enter Enter Enter Enter");                    // the trap
    keys.Face(North).Press("Enter Enter Enter Enter");                      // again, turning on it
    keys.Walk("N9 W* N W2 N").Press("\"8\" Enter  Enter");                  // the riddle, wrong
    keys.Press("U Enter Enter Enter");                                      // the tablet's hint
    keys.Face(South).Face(North).Press("\"7\" Enter  Enter Enter");         // right
    keys.Face(South).Face(North).Press("Enter");                            // nothing more
    keys.Walk("S E2 S E* N3 W5").Press("Enter");                            // the cold wind
    keys.Walk("W W* S W S*").Face(North).Press("Space Enter Enter Enter");  // the lock holds
    keys.Press("Space Enter Down Enter Enter Enter");  // シーラ opens it; the bar
    keys.Walk("S*").Face(North).Press("Space");        // unbarred now
    keys.Walk("N W").Press("Y");                       // stairs down
    keys.Walk("E E* E5 S7").Press("Enter");            // the silver keyhole
    keys.Walk("S E*").Press("Enter");                  // the key opens the door
    keys.Walk("E2").Press("Enter");                    // a heavy air
    keys.Walk("W2 W* E*");                             // the door stays open
    keys.Walk("E2").Press("Enter");                    // still heavy
    keys.Walk("E").Press("Enter");                     // the throne: the empress wakes
    // The fight, on the automatic command, and its after-battle event: the
    // seed's dice win it within eight rounds; the reads and commands left
    // over fall on the maze, which has no use for them.
    for (int round = 0; round < 8; ++round) keys.Press("O" + Reads(40));
    keys.Walk("W E").Press("Enter");  // the throne room is still now
    keys.Walk("E4").Press("Y");       // and the way home is open
    ASSERT_TRUE(flow_.Run(keys.Text(), DemoSeed)) << flow_.Error();

    const std::vector<std::string> dialogs = flow_.Dialogs();
    const auto saw = [&dialogs](const std::string& text) { return Count(dialogs, text); };
    // Every step of the routes was open: nothing was bumped into.
    EXPECT_EQ(saw("いてっ！"), 0u);
    EXPECT_EQ(saw("ひんやりとした空気が肌をなでる。\nここが「石造りの淵」……\n"
                  "地の底には、竜に姿を変えた女帝が\n眠っているという。"),
              1u);
    // The gate held twice; the lever was asked four times, pulled three.
    EXPECT_EQ(saw("東の通路は鉄格子でふさがれている。"), 2u);
    EXPECT_EQ(saw("壁に錆びたレバーがある。\n引きますか？"), 4u);
    EXPECT_EQ(saw("ゴトン……\n北の方で鉄格子の上がる音がした。"), 2u);
    EXPECT_EQ(saw("ゴトン……\n北の方で鉄格子の下りる音がした。"), 1u);
    EXPECT_EQ(
        saw("背後で鉄格子の落ちる音がした。\n通路は世界の果てを越え、\n西の端へと続いている……"),
        1u);
    // The hidden room gives once.
    EXPECT_EQ(saw("床の石の下に、小さな包みが隠されていた！"), 1u);
    EXPECT_EQ(saw("回復薬を手に入れた"), 3u);
    EXPECT_EQ(saw("銅の指輪を手に入れた"), 1u);
    EXPECT_EQ(saw("古びた石板を手に入れた"), 1u);
    EXPECT_EQ(saw("もう何も残っていない。"), 1u);
    EXPECT_EQ(saw("下る階段がある\r下がりますか？"), 2u);
    // The trap, sprung on arriving and on turning about: ロラン's luck always
    // fails, シーラ's never does.
    EXPECT_EQ(saw("トラップだ！"), 2u);
    EXPECT_EQ(saw("ロランは\n毒に犯された"), 2u);
    EXPECT_EQ(saw("シーラは\n効果がなかった"), 2u);
    // The riddle: wrong, the tablet's hint, right, then silent.
    const std::string riddle =
        "石碑に謎かけが刻まれている。\n『月は三つ、星は四つ。\n夜空に灯るは合わせていくつ？』\n"
        "（半角の数字で答えよ）";
    EXPECT_EQ(saw(riddle), 2u);
    EXPECT_EQ(saw("何も起こらなかった……"), 1u);
    EXPECT_EQ(saw("古びた石板の文字が石碑の文字と重なり、\n「七」の字が浮かび上がった。"), 1u);
    EXPECT_EQ(saw("石碑が音を立てて割れ、\n中から銀色の鍵が現れた！"), 1u);
    EXPECT_EQ(saw("銀の鍵を手に入れた"), 1u);
    EXPECT_EQ(saw("割れた石碑はもう何も語らない。"), 1u);
    // The lock: ロラン cannot pick it, シーラ can; unbarred, it asks no more.
    EXPECT_EQ(saw("鍵がかかっている"), 2u);
    EXPECT_EQ(saw("鍵は開かなかった"), 1u);
    EXPECT_EQ(saw("鍵を開けた"), 1u);
    EXPECT_EQ(saw("扉のかんぬきを外しておいた。\nこれで南からも出入りできる。"), 1u);
    // The silver door opens with the key, once and for all.
    EXPECT_EQ(saw("銀の鍵で扉を開けた。\n鍵は鍵穴の中で砕け散った……"), 1u);
    EXPECT_EQ(saw("銀色の鍵穴のある扉だ。\n鍵がかかっていて開かない。"), 0u);
    EXPECT_EQ(saw("重苦しい気配があたりに満ちている……"), 2u);
    // The empress: woken once, beaten, her crown given after the fight and
    // not again while the party holds it.
    EXPECT_EQ(saw("玉座の上で、巨大な竜がゆっくりと首をもたげた。\n"
                  "『よくぞここまで来た、地上の虫けらどもよ。\n"
                  "この女帝セミラミスが相手をしてやろう！』"),
              1u);
    EXPECT_EQ(saw("竜化の女帝セミラミスは\n死んだ・・・"), 1u);
    EXPECT_EQ(saw("女帝セミラミスは断末魔の叫びとともに崩れ落ちた。\n"
                  "後には美しい宝冠が残されていた……"),
              1u);
    EXPECT_EQ(saw("女帝の宝冠を手に入れた"), 1u);
    EXPECT_EQ(saw("玉座の間は静まりかえっている。"), 1u);
    EXPECT_EQ(saw("城へ戻りますか？"), 1u);
    // Home with the crown and the story done: the ending, once, after the
    // question, and every member wears the first insignia.
    const auto home = std::find(dialogs.begin(), dialogs.end(), "城へ戻りますか？");
    ASSERT_NE(home, dialogs.end());
    std::vector<std::string> ending;
    for (int id = 200; id <= 205; ++id) ending.emplace_back(ResStringNumber(id));
    EXPECT_EQ(std::vector<std::string>(home + 1, dialogs.end()), ending);
    EXPECT_EQ(flow_.State().EventFlags[23], 0);
    EXPECT_EQ(flow_.State().Roster[1].Insignia[1], 1);
    EXPECT_EQ(flow_.State().Roster[2].Insignia[1], 1);

    // The party went where the routes say: through the gate and the wrap
    // once, down both stairs, through the silver door twice, onto the
    // throne twice and home from behind it.
    const std::vector<Where> where = WhereLines(flow_);
    const auto visits = [&where](const Where& w) {
        return std::count(where.begin(), where.end(), w);
    };
    EXPECT_EQ(visits({1, 19, 8, East}), 1);
    EXPECT_EQ(visits({1, 0, 8, East}), 1);
    EXPECT_EQ(visits({1, 15, 3, North}), 1);
    EXPECT_EQ(visits({2, 17, 18, East}), 1);
    EXPECT_EQ(visits({2, 10, 13, South}), 1);
    EXPECT_EQ(visits({2, 2, 2, North}), 2);
    EXPECT_EQ(visits({3, 2, 1, West}), 1);
    EXPECT_EQ(visits({3, 10, 9, East}), 2);
    EXPECT_EQ(visits({3, 13, 9, East}), 2);
    EXPECT_EQ(visits({3, 17, 9, East}), 1);
    EXPECT_EQ(where.back().Floor, 0);
    EXPECT_EQ(flow_.State().MenuState, MenuStates::Castle);

    // Saved on the way home: the flags as the events left them, the finds,
    // the key gone, the crown and the story's end.
    const auto saved = flow_.SavedGame();
    const auto flag = [&saved](int n) { return saved->EventFlags[static_cast<size_t>(n)]; };
    EXPECT_EQ(flag(36), 1);  // the entrance words read
    EXPECT_EQ(flag(38), 0);  // the gate dropped behind the party
    EXPECT_EQ(flag(37), 1);  // the hidden room emptied
    EXPECT_EQ(flag(34), 1);  // the riddle solved
    EXPECT_EQ(flag(35), 1);  // the locked door unbarred
    EXPECT_EQ(flag(41), 1);  // the silver door open
    EXPECT_EQ(flag(40), 1);  // the empress beaten
    EXPECT_EQ(flag(23), 1);  // the story done
    const auto held = [&saved](int slot, int item) {
        int32_t count = 0;
        for (const InventorySlot& s : saved->Roster[static_cast<size_t>(slot)].Items) {
            if (s.ItemId == item) count += s.ItemCount;
        }
        return count;
    };
    EXPECT_EQ(held(1, DemoPotion) + held(2, DemoPotion), 3);
    EXPECT_EQ(held(1, CopperRing) + held(2, CopperRing), 1);
    EXPECT_EQ(held(1, StoneTablet) + held(2, StoneTablet), 1);
    EXPECT_EQ(held(1, SilverKey) + held(2, SilverKey), 0);
    EXPECT_EQ(held(1, Crown) + held(2, Crown), 1);
    EXPECT_NE(saved->ItemFound[SilverKey], 0);
    const Creature& roland = saved->Roster[1];
    const Creature& sheila = saved->Roster[2];
    EXPECT_LT(roland.HP, roland.MaxHP);
    for (const Creature* c : {&roland, &sheila}) {
        EXPECT_EQ(c->Floor, 0);
        EXPECT_EQ(c->Victories, 1);
    }
}

// A party left at the foot of floor 3's stairs without the silver key,
// resumed from the edge of town: the silver door bars it, the hidden niche
// gives once, the spring heals and cures, and the magic circle carries it up
// to floor 1, from where it goes home.
TEST_F(DemoMazeFlow, Floor3WithoutTheKeyAndHomeByTheMagicCircle) {
    Game& g = flow_.Scenario();
    for (int slot : {1, 2}) {
        Creature& c = g.Roster[static_cast<size_t>(slot)];
        c.Place = Place;
        c.Floor = 3;
        c.PosX = 2;
        c.PosY = 1;
        c.PartyNo = 1;
        c.PartyPos = static_cast<int16_t>(slot);
    }
    g.Roster[1].Status = StatusPoison;
    g.Roster[1].HP = 300;  // poison takes up to 3 a step on the way to the spring
    // Title, the edge of town, resume: (2,1) of floor 3 facing north.
    Keys keys("Enter  E Enter  O Enter  Enter  ", North);
    keys.Walk("E E* E5 S7").Press("Enter");                               // the silver keyhole
    keys.Walk("S").Face(East).Press("Space Enter");                       // no key: barred
    keys.Walk("N6 E7 E* E").Press("F Enter Enter Enter Enter  F Enter");  // the niche
    keys.Walk("W W* W7 N2 W5 W* W S W S* S10 E S2").Press("Enter Enter Enter");  // the spring
    keys.Walk("S W2 S").Press("Enter");                                          // the magic circle
    keys.Walk("W2").Face(North).Press("Y");  // the entrance, facing the way out: home
    ASSERT_TRUE(flow_.Run(keys.Text(), DemoSeed)) << flow_.Error();

    const std::vector<std::string> dialogs = flow_.Dialogs();
    const auto saw = [&dialogs](const std::string& text) { return Count(dialogs, text); };
    EXPECT_EQ(saw("いてっ！"), 0u);
    EXPECT_EQ(saw("銀色の鍵穴のある扉だ。\n鍵がかかっていて開かない。"), 1u);
    EXPECT_EQ(saw("壁のくぼみに宝が隠されていた！"), 1u);
    EXPECT_EQ(saw("上回復薬を手に入れた"), 2u);
    EXPECT_EQ(saw("雷の宝珠を手に入れた"), 1u);
    EXPECT_EQ(saw("もう何も残っていない。"), 1u);
    EXPECT_EQ(saw("澄んだ泉が湧いている。\n一行は冷たい水でのどをうるおした。"), 1u);
    EXPECT_EQ(saw("シーラは\n全快した"), 1u);
    EXPECT_EQ(std::count_if(dialogs.begin(), dialogs.end(),
                            [](const std::string& text) {
                                return text.starts_with("ロランは\n") &&
                                       text.ends_with("ポイント回復した");
                            }),
              1);
    EXPECT_EQ(saw("床の魔法陣が輝き、\n一行は光に包まれた！"), 1u);
    EXPECT_EQ(saw("城へ戻りますか？"), 1u);

    // The barred door was never passed; the circle landed on floor 1.
    const std::vector<Where> where = WhereLines(flow_);
    const auto visits = [&where](const Where& w) {
        return std::count(where.begin(), where.end(), w);
    };
    EXPECT_EQ(visits({3, 9, 9, East}), 1);
    EXPECT_EQ(visits({3, 10, 9, East}), 0);
    EXPECT_EQ(visits({1, 2, 0, South}), 1);
    EXPECT_EQ(where.back().Floor, 0);
    EXPECT_EQ(flow_.State().MenuState, MenuStates::Castle);

    // Home: the save has the niche emptied, its finds, the poison gone.
    const auto saved = flow_.SavedGame();
    EXPECT_EQ(saved->EventFlags[33], 1);
    EXPECT_EQ(saved->EventFlags[41], 0);
    int32_t potions = 0, orbs = 0;
    for (int slot : {1, 2}) {
        const Creature& c = saved->Roster[static_cast<size_t>(slot)];
        EXPECT_EQ(c.Floor, 0);
        EXPECT_EQ(c.Status & (StatusPoison | StatusDead), 0);
        for (const InventorySlot& item : c.Items) {
            if (item.ItemId == GreaterPotion) potions += item.ItemCount;
            if (item.ItemId == ThunderOrb) orbs += item.ItemCount;
        }
    }
    EXPECT_EQ(potions, 2);
    EXPECT_EQ(orbs, 1);
    EXPECT_EQ(saved->Roster[2].HP, saved->Roster[2].MaxHP);
}

}  // namespace
}  // namespace kv::test
