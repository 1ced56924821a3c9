// The people of the maze: the talk table (pages, exact topics, another
// person's rows), the two hand-overs that open the hidden mazes, the wares
// drawn and bought, and what a person pays for the party's goods.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "MazeFixture.h"
#include "character/Inventory.h"
#include "core/StringTable.h"
#include "core/TextFormat.h"
#include "dungeon/Person.h"

namespace kv {
namespace {

using testing::MazeFixture;

constexpr int Ruby = 253;
constexpr int Map = 250;
constexpr int Sword = 7;
constexpr int Potion = 8;  // stackable
constexpr int Relic = 9;   // an event item

struct PersonFixture : MazeFixture {
    PersonFixture() {
        AddMember(1, "Ａｌｉｃｅ");
        AddMember(2, "Ｂｏｂ");
        for (auto [id, kind, price] :
             {std::tuple{Sword, 1, 100}, std::tuple{Potion, 8, 30}, std::tuple{Relic, 11, 500},
              std::tuple{Ruby, 11, 0}, std::tuple{Map, 11, 0}}) {
            ItemDef& item = G().Items[static_cast<size_t>(id)];
            item.Id = id;
            item.Kind = static_cast<int16_t>(kind);
            item.Price = price;
            item.Name = "品" + std::to_string(id);
            item.UnidentifiedName = "？" + std::to_string(id);
        }
        Talk(1, 2, "宝", "北にある||鍵がいる||気をつけろ");
        Talk(2, 3, "宝", "知らないね");
        Talk(3, 2, "ＡＢＣ", "全角だ");
    }
    void Talk(int row, int person, const std::string& topic, const std::string& text) {
        TalkDef& t = G().Talks[static_cast<size_t>(row)];
        t.TalkPerson = static_cast<int16_t>(person);
        t.TalkTopic = topic;
        t.TalkText = text;
    }
    void Hold(int slot, int item, int32_t flags = 0, int32_t count = 1) {
        G().Roster[1].Items[static_cast<size_t>(slot)] = {item, flags, count};
    }
};

TEST(PersonTalk, PagesExactTopicsAndOtherPeople) {
    struct Row {
        int Person;
        std::string Topic;
        std::vector<std::string> Said;
    };
    const std::vector<Row> rows = {
        {2, "宝", {"北にある", "鍵がいる", "気をつけろ"}},      // two separators, three pages
        {3, "宝", {"知らないね"}},                              // the same topic, another person
        {4, "宝", {"「宝」については\n何も知らないようだ"}},    // nobody's row for this person
        {2, "ABC", {"「ABC」については\n何も知らないようだ"}},  // width counts
        {2, "ＡＢＣ", {"全角だ"}},
        {2, "宝 ", {"「宝 」については\n何も知らないようだ"}},
    };
    for (const Row& row : rows) {
        PersonFixture f;
        f.G().CurrentPerson = static_cast<int16_t>(row.Person);
        EXPECT_EQ(TalkAbout(f.G(), f.Player, row.Topic), 0);
        EXPECT_EQ(f.Player.Messages(), row.Said) << row.Person << " " << row.Topic;
    }
}

TEST(PersonGive, HandOversOpenTheHiddenMazesAndEveryOtherGiftIsThanked) {
    struct Row {
        const char* Name;
        int Person;
        int Item;
        int32_t Flags;
        size_t Messages;
        int Flag21, Flag22;
        bool Gone;
    };
    const std::vector<Row> rows = {
        {"the ruby to person 1", 1, Ruby, 0, 4, 1, 0, true},
        {"the map to person 6", 6, Map, 0, 10, 0, 1, true},
        {"the ruby to person 6", 6, Ruby, 0, 1, 0, 0, true},
        {"the map to person 1", 1, Map, 0, 1, 0, 0, true},
        {"a worn item stays", 1, Ruby, 3, 1, 0, 0, false},
        {"a cursed one too", 1, Ruby, 3 | CursedEquipped, 1, 0, 0, false},
    };
    for (const Row& row : rows) {
        PersonFixture f;
        f.G().CurrentPerson = static_cast<int16_t>(row.Person);
        f.Hold(1, Sword);
        f.Hold(2, row.Item, row.Flags);
        f.Hold(3, Potion, 0, 2);
        f.Player.Pick(1).Pick(2);
        GiveToPerson(f.G(), f.Player);
        const auto said = f.Player.Messages();
        EXPECT_EQ(said.size(), row.Messages) << row.Name;
        EXPECT_EQ(f.G().EventFlags[21], row.Flag21) << row.Name;
        EXPECT_EQ(f.G().EventFlags[22], row.Flag22) << row.Name;
        EXPECT_EQ(f.G().Roster[1].Items[2].ItemId, row.Gone ? 0 : row.Item) << row.Name;
        // The list is not closed up after a gift.
        EXPECT_EQ(f.G().Roster[1].Items[3].ItemId, Potion) << row.Name;
        const std::string last = (row.Flags & CursedEquipped) ? "呪われている！"
                                 : row.Flags                  ? "装備している"
                                 : row.Messages == 1          ? "ありがとう"
                                                              : said.back();
        EXPECT_EQ(said.back(), last) << row.Name;
    }
    PersonFixture f;
    f.G().CurrentPerson = 1;
    f.Hold(1, Ruby);
    f.Player.Pick(1).Pick(1);
    GiveToPerson(f.G(), f.Player);
    EXPECT_EQ(f.Player.Messages().back(), "\n『コルヴァーネの中心』への道が開かれた");
}

TEST(PersonWares, FiveDrawsFromTheTenShownByTheirUnidentifiedName) {
    PersonFixture f;
    f.G().CurrentPerson = 4;
    auto& items = f.G().NpcTrades[4].TradeItems;
    for (int k = 1; k <= WaresHeld; ++k) items[static_cast<size_t>(k)] = k % 2 ? Sword : Potion;
    f.G().Rng.Seed(7);
    const std::vector<Ware> wares = DrawWares(f.G());
    ASSERT_EQ(wares.size(), 5u);
    for (size_t n = 0; n < wares.size(); ++n) {
        const std::string name = wares[n].Item == Sword ? "？７" : "？８";
        std::string padding;
        for (int i = 0; i < 13; ++i) padding += "　";  // to fourteen, then one more
        EXPECT_EQ(wares[n].Text, Wide(std::to_string(n + 1)) + "　" + name + padding);
    }
    // Ten draws from two items: both show up, as rows of their own.
    std::set<int32_t> drawn;
    for (const Ware& ware : wares) drawn.insert(ware.Item);
    EXPECT_EQ(drawn, (std::set<int32_t>{Sword, Potion}));
    f.G().CurrentPerson = 21;
    EXPECT_TRUE(DrawWares(f.G()).empty());
}

TEST(PersonBuy, TheFirstWhoCanPayPaysAndTheFirstWithRoomReceives) {
    PersonFixture f;
    f.G().Roster[1].Gold = 99;   // one short
    f.G().Roster[2].Gold = 100;  // exactly the price
    for (int slot = 1; slot <= LastInventorySlot; ++slot) f.Hold(slot, Potion, 0, 9);
    f.G().Roster[1].Items[4] = {};
    EXPECT_TRUE(BuyWare(f.G(), f.Player, Sword));
    EXPECT_EQ(f.G().Roster[1].Gold, 99);
    EXPECT_EQ(f.G().Roster[2].Gold, 0);
    // The piece went to the poor member, who had room, identified.
    EXPECT_EQ(f.G().Roster[1].Items[15].ItemId, Sword);
    EXPECT_EQ(f.G().Roster[1].Items[15].ItemFlags & Unidentified, 0);
    EXPECT_EQ(f.Player.Messages().back(), "ありがとう");

    EXPECT_FALSE(BuyWare(f.G(), f.Player, Sword));
    EXPECT_EQ(f.Player.Messages().back(), ResString(Str::NotEnoughGold));
    f.G().Roster[2].Gold = 1000;
    for (int slot = 1; slot <= LastInventorySlot; ++slot)
        f.G().Roster[2].Items[static_cast<size_t>(slot)] = {Potion, 0, 9};
    EXPECT_FALSE(RoomToBuy(f.G(), f.Player));
    EXPECT_FALSE(BuyWare(f.G(), f.Player, Sword));
    EXPECT_EQ(f.Player.Messages().back(), ResString(Str::InventoryFull));
    EXPECT_EQ(f.G().Roster[2].Gold, 1000);
}

TEST(PersonSell, PriceTimesTheFactorUnroundedOrOneForTheUnknown) {
    struct Row {
        int32_t Price;
        float Factor;
        bool Unidentified;
        double Paid;
    };
    const std::vector<Row> rows = {
        {100, 0.5f, false, 50},
        {3, 0.1f, false, 0.300000004470348},  // the factor's own digits, to fifteen
        {7, 1.0f, false, 7},
        {1000, 0.75f, true, 1},
        {0, 0.5f, true, 1},
    };
    for (const Row& row : rows) {
        PersonFixture f;
        f.G().CurrentPerson = 5;
        f.G().NpcTrades[5].TradeSellFactor = row.Factor;
        f.G().Items[Sword].Price = row.Price;
        EXPECT_DOUBLE_EQ(PersonSellPrice(f.G(), Sword, row.Unidentified), row.Paid) << row.Price;
    }
}

TEST(PersonSell, OnePieceGoesTheListClosesUpAndEventItemsAreRefused) {
    PersonFixture f;
    f.G().CurrentPerson = 5;
    f.G().NpcTrades[5].TradeSellFactor = 0.25f;
    f.G().Roster[1].Gold = 10;
    f.Hold(1, Potion, Unidentified, 1);
    f.Hold(2, Sword);
    f.Hold(3, Relic);
    f.Player.Pick(1).Pick(1);  // the last unidentified potion: 1 gold
    SellToPerson(f.G(), f.Player);
    EXPECT_EQ(f.G().Roster[1].Gold, 11);
    EXPECT_EQ(f.G().Roster[1].Items[1].ItemId, Sword);
    f.Player.Pick(1).Pick(1);  // the sword that moved up: its own price
    SellToPerson(f.G(), f.Player);
    EXPECT_EQ(f.G().Roster[1].Gold, 36);
    EXPECT_EQ(f.Player.Messages().back(), "アイテムを売った");
    f.Player.Pick(1).Pick(1);
    SellToPerson(f.G(), f.Player);
    EXPECT_EQ(f.Player.Messages().back(), "興味を示さない");
    EXPECT_EQ(f.G().Roster[1].Items[1].ItemId, Relic);
    EXPECT_EQ(f.G().Roster[1].Gold, 36);
}

}  // namespace
}  // namespace kv
