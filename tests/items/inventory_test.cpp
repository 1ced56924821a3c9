#include <gtest/gtest.h>

#include <vector>

#include "character/Inventory.h"
#include "items/ItemsFixture.h"

namespace kv {
namespace {

using namespace kv::testing;

struct Held {
    int Slot;
    int32_t Id;
    int32_t Count;
};

struct AddCase {
    const char* What;
    std::vector<Held> Before;
    int32_t Id;
    int32_t Count;
    int Result;
    std::vector<Held> After;  // every filled slot, in order
};

TEST(Inventory, AddingStacksAndPacks) {
    std::vector<Held> fullOfSwords;
    for (int s = 1; s <= 15; ++s) fullOfSwords.push_back({s, Sword, 1});
    std::vector<Held> fourteenSwordsAndPotions = fullOfSwords;
    fourteenSwordsAndPotions.back() = {15, Potion, 7};
    const std::vector<AddCase> cases = {
        {"a stack of nine onto five fills it and spills into the next free slot",
         {{1, Potion, 5}},
         Potion,
         9,
         0,
         {{1, Potion, 9}, {2, Potion, 5}}},
        {"gaps close before anything is placed",
         {{2, Sword, 1}, {5, Helm, 1}},
         Armour,
         1,
         0,
         {{1, Sword, 1}, {2, Helm, 1}, {3, Armour, 1}}},
        {"a different stackable item takes its own slot",
         {{1, Potion, 3}},
         Ore,
         4,
         0,
         {{1, Potion, 3}, {2, Ore, 4}}},
        {"no room for a weapon", fullOfSwords, LongSword, 1, -1, fullOfSwords},
        {"part of a stack fits, the rest comes back", fourteenSwordsAndPotions, Potion, 5, 3,
         [&] {
             auto v = fourteenSwordsAndPotions;
             v.back().Count = 9;
             return v;
         }()},
        {"a full stack and no free slot takes nothing",
         [&] {
             auto v = fourteenSwordsAndPotions;
             v.back().Count = 9;
             return v;
         }(),
         Potion, 1, -1,
         [&] {
             auto v = fourteenSwordsAndPotions;
             v.back().Count = 9;
             return v;
         }()},
    };
    for (const AddCase& c : cases) {
        ItemsFixture f;
        f.MakeParty();
        for (const Held& h : c.Before) f.Hold(1, h.Slot, h.Id, 0, h.Count);
        EXPECT_EQ(AddItemToInventory(f.G(), c.Id, f.Member(1), false, c.Count), c.Result) << c.What;
        std::vector<Held> after;
        for (int s = 1; s <= 15; ++s) {
            const InventorySlot& held = f.Member(1).Items[static_cast<size_t>(s)];
            if (held.ItemId != 0) after.push_back({s, held.ItemId, held.ItemCount});
        }
        ASSERT_EQ(after.size(), c.After.size()) << c.What;
        for (size_t i = 0; i < after.size(); ++i) {
            EXPECT_EQ(after[i].Slot, c.After[i].Slot) << c.What << " row " << i;
            EXPECT_EQ(after[i].Id, c.After[i].Id) << c.What << " row " << i;
            EXPECT_EQ(after[i].Count, c.After[i].Count) << c.What << " row " << i;
        }
    }
}

TEST(Inventory, RemovingAndConsuming) {
    ItemsFixture f;
    f.MakeParty();
    f.Hold(1, 1, Sword);
    f.Hold(1, 2, Potion, 0, 3);
    RemoveItemCount(f.Member(1), 2, 1);
    EXPECT_EQ(f.Member(1).Items[2].ItemCount, 2);
    RemoveItemCount(f.Member(1), 1, 1);
    EXPECT_EQ(f.Member(1).Items[1].ItemId, 0) << "the slot is emptied, not packed";
    EXPECT_EQ(f.Member(1).Items[2].ItemId, Potion);

    f.Hold(2, 4, Ore, 0, 1);
    EXPECT_EQ(ConsumeItemFromParty(f.G(), Ore), 2);
    EXPECT_EQ(f.Member(2).Items[4].ItemId, 0);
    EXPECT_EQ(ConsumeItemFromParty(f.G(), Ore), 0);
    EXPECT_EQ(ConsumeItemFromRoster(f.G(), Potion), 1);
    EXPECT_EQ(f.Member(1).Items[2].ItemCount, 1);
}

TEST(Inventory, FoundItemsGoToTheFirstMemberWithRoom) {
    ItemsFixture f;
    f.MakeParty();
    for (int s = 1; s <= 15; ++s) f.Hold(1, s, Sword);
    f.G().Items[Helm].UnidentifiedName = "かぶりもの";

    EXPECT_EQ(GiveFoundItem(f.G(), f.Player, Helm, true, FoundMessage::Named, true), 0);
    EXPECT_EQ(f.G().CurrentChar, 2);
    EXPECT_EQ(f.Member(2).Items[1].ItemId, Helm);
    EXPECT_EQ(f.Member(2).Items[1].ItemFlags & Unidentified, Unidentified);
    EXPECT_EQ(f.G().ItemFound[Helm], 1);
    EXPECT_TRUE(f.Player.Saw("かぶりものを手に入れた"));

    for (int s = 1; s <= 15; ++s) f.Hold(2, s, Sword);
    f.Player.Clear();
    EXPECT_EQ(GiveFoundItem(f.G(), f.Player, Helm, false, FoundMessage::Plain, true), -1);
    EXPECT_TRUE(f.Player.Saw("アイテムがいっぱいです"));
    EXPECT_EQ(GiveFoundItem(f.G(), f.Player, Helm, false, FoundMessage::None, true), -1);
    EXPECT_EQ(f.Player.Messages().size(), 1u) << "a quiet find says nothing";
    EXPECT_EQ(f.G().ItemFound[Helm], 1);
}

TEST(Inventory, RowsShowMarkersKeysAndStacks) {
    ItemsFixture f;
    f.MakeParty();
    f.G().Items[ElvenMail].RaceMask = 2;
    const std::vector<std::pair<InventorySlot, const char*>> held = {
        {{CursedHelm, 6 | CursedEquipped, 1}, "- 呪いの兜"},
        {{Sword, Unidentified, 1}, "? ？1"},
        {{ElvenMail, 0, 1}, "# エルフの鎧"},
        {{Armour, 3, 1}, "* 鎧"},
        {{Potion, 0, 4}, "  薬 × ４"},
    };
    for (int s = 0; s < 15; ++s) {
        const auto& h = held[static_cast<size_t>(s) % held.size()];
        f.Member(1).Items[static_cast<size_t>(s + 1)] = h.first;
    }
    const std::vector<InventoryRow> rows = InventoryRows(f.G(), f.Member(1));
    ASSERT_EQ(rows.size(), 15u);
    const char* keys = "123456789ABCDEF";
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].Text, std::string(1, keys[i]) + " :" + held[i % held.size()].second);
        EXPECT_EQ(rows[i].Slot, static_cast<int>(i) + 1);
    }
}

}  // namespace
}  // namespace kv
