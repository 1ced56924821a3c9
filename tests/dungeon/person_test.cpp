// The people of the maze: the talk table (pages, exact topics, another
// person's rows), what a person pays for the party's goods, and who pays
// for a ware and who receives it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MazeFixture.h"
#include "character/Inventory.h"
#include "core/StringTable.h"
#include "dungeon/Person.h"

namespace kv {
namespace {

constexpr int WareSword = 7;
constexpr int WarePotion = 8;  // stackable

struct PersonFixture : testing::MazeFixture {
    PersonFixture() {
        AddMember(1);
        AddMember(2, "Ｂｏｂ");
        G().Items[WareSword].Price = 100;
        G().Items[WarePotion].Kind = 8;
        G().Talks[1] = TalkDef{0, 2, "宝", "北にある||鍵がいる||気をつけろ", {}};
        G().Talks[2] = TalkDef{0, 3, "宝", "知らないね", {}};
        G().Talks[3] = TalkDef{0, 2, "ＡＢＣ", "全角だ", {}};
    }
};

TEST(PersonTalk, PagesExactTopicsAndOtherPeople) {
    struct Row {
        int Person;
        std::string Topic;
        std::vector<std::string> Said;
    };
    const std::string unknown = "」については\n何も知らないようだ";
    const std::vector<Row> rows = {
        {2, "宝", {"北にある", "鍵がいる", "気をつけろ"}},  // two separators, three pages
        {3, "宝", {"知らないね"}},                          // the same topic, another person
        {4, "宝", {"「宝" + unknown}},                      // nobody's row for this one
        {2, "ABC", {"「ABC" + unknown}},                    // width counts
        {2, "ＡＢＣ", {"全角だ"}},
        {0, "", {}},  // no topic asks nothing, though unused rows hold person 0 and ""
    };
    for (const Row& row : rows) {
        PersonFixture f;
        f.G().CurrentPerson = static_cast<int16_t>(row.Person);
        EXPECT_EQ(TalkAbout(f.G(), f.Player, row.Topic), 0);
        EXPECT_EQ(f.Player.Messages(), row.Said) << row.Person << " " << row.Topic;
    }
}

TEST(PersonSell, PriceTimesTheFactorUnroundedOrOneForTheUnknown) {
    struct Row {
        float Factor;
        bool Unidentified;
        double Paid;
    };
    const std::vector<Row> rows = {
        {0.5f, false, 50},
        {0.003f, false, 0.300000002607703},  // the factor's own digits, to fifteen
        {0.75f, true, 1},
    };
    for (const Row& row : rows) {
        PersonFixture f;
        f.G().CurrentPerson = 5;
        f.G().NpcTrades[5].TradeSellFactor = row.Factor;
        EXPECT_EQ(PersonSellPrice(f.G(), WareSword, row.Unidentified), row.Paid) << row.Factor;
    }
    // The sale itself: the last unidentified potion fetches 1, the list closes up.
    PersonFixture f;
    f.G().Roster[1].Gold = 10;
    f.G().Roster[1].Items[1] = {WarePotion, Unidentified, 1};
    f.G().Roster[1].Items[2] = {WareSword, 0, 1};
    f.Player.Pick(1).Pick(1);
    SellToPerson(f.G(), f.Player);
    EXPECT_EQ(f.G().Roster[1].Gold, 11);
    EXPECT_EQ(f.G().Roster[1].Items[1].ItemId, WareSword);
    // A person out of the trade table buys nothing.
    f.G().CurrentPerson = 21;
    f.Player.Pick(1).Pick(1);
    SellToPerson(f.G(), f.Player);
    EXPECT_EQ(f.Player.Messages().back(), "興味を示さない");
    EXPECT_EQ(f.G().Roster[1].Items[1].ItemId, WareSword);
    EXPECT_TRUE(DrawWares(f.G()).empty());
}

TEST(PersonBuy, TheFirstWhoCanPayPaysAndTheFirstWithRoomReceives) {
    PersonFixture f;
    f.G().Roster[1].Gold = 99;   // one short
    f.G().Roster[2].Gold = 100;  // exactly the price
    EXPECT_TRUE(BuyWare(f.G(), f.Player, WareSword));
    EXPECT_EQ(f.G().Roster[1].Gold, 99);
    EXPECT_EQ(f.G().Roster[2].Gold, 0);
    EXPECT_EQ(f.G().Roster[1].Items[1].ItemId, WareSword);  // identified, to the poor one
    EXPECT_EQ(f.G().Roster[1].Items[1].ItemFlags & Unidentified, 0);
    EXPECT_FALSE(BuyWare(f.G(), f.Player, WareSword));
    EXPECT_EQ(f.Player.Messages().back(), ResString(Str::NotEnoughGold));
    // A ware row of no item sells nothing, takes nothing, says nothing.
    f.Player.Clear();
    f.G().Roster[1].Gold = 1000;
    EXPECT_FALSE(BuyWare(f.G(), f.Player, 0));
    EXPECT_EQ(f.G().Roster[1].Gold, 1000);
    EXPECT_TRUE(f.Player.Messages().empty());
}

// The ruby's flag is set before the first line is said: a save made during
// the lines never holds the ruby gone and the way shut.
TEST(PersonGive, TheRubyOpensTheWayBeforeTheLinesAreSaid) {
    struct FlagWatcher : ScriptedPlayer {
        const Game* G = nullptr;
        std::vector<int> Flags;
        void Message(std::string_view text) override {
            Flags.push_back(G->EventFlags[21]);
            ScriptedPlayer::Message(text);
        }
    };
    PersonFixture f;
    FlagWatcher player;
    player.G = &f.G();
    f.G().CurrentPerson = 1;
    f.G().Roster[2].Items[3] = {253, 0, 1};
    player.Pick(2).Pick(3);
    GiveToPerson(f.G(), player);
    EXPECT_EQ(f.G().Roster[2].Items[3].ItemId, 0);
    EXPECT_EQ(player.Flags, std::vector<int>(4, 1));
}

}  // namespace
}  // namespace kv
