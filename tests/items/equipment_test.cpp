#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "character/Equipment.h"
#include "character/Inventory.h"
#include "character/RaceDefences.h"
#include "items/ItemsFixture.h"

namespace kv {
namespace {

using namespace kv::testing;

// The race's defences alone, for comparing against.
Creature RaceOnly(const Game& game, Creature c) {
    ResetRaceDefences(game, c);
    return c;
}

struct CandidateCase {
    const char* What;
    std::vector<InventorySlot> Held;  // slots 1.. in order
    bool DualWielder;
    Position Where;
    std::vector<int> Slots;
};

TEST(Equipment, CandidatesPerPosition) {
    const std::vector<CandidateCase> cases = {
        {"weapons, and a dual-wield weapon anywhere but the plain off hand",
         {{Sword, 0, 1}, {LongSword, 0, 1}, {Shield, 0, 1}},
         false,
         Position::Primary,
         {1, 2}},
        {"a shield only, without the skill",
         {{Sword, 0, 1}, {Shield, 0, 1}},
         false,
         Position::Secondary,
         {2}},
        {"a dual wielder may take a one-handed dual-wield weapon",
         {{Sword, 0, 1}, {LongSword, 0, 1}, {Shield, 0, 1}},
         true,
         Position::Secondary,
         {1, 3}},
        {"but not the one held plainly in the primary hand",
         {{Sword, 1, 1}, {Sword, 0, 1}},
         true,
         Position::Secondary,
         {2}},
        {"and the primary hand does not offer the one held in the secondary",
         {{Sword, 2, 1}, {Sword, 0, 1}},
         true,
         Position::Primary,
         {2}},
        {"an item the race may not wear is never offered",
         {{ElvenMail, 0, 1}, {Armour, 0, 1}},
         false,
         Position::Armour,
         {2}},
        {"other positions go by kind",
         {{Helm, 0, 1}, {Ring, 0, 1}, {Potion, 0, 3}},
         false,
         Position::Accessory,
         {2}},
    };
    for (const CandidateCase& c : cases) {
        ItemsFixture f;
        f.MakeParty();
        Creature& alice = f.Member(1);
        for (size_t i = 0; i < c.Held.size(); ++i) alice.Items[i + 1] = c.Held[i];
        alice.Skills[SkillIndex(Skill::DualWield)] = c.DualWielder ? -1 : 0;
        MarkAllEquippable(f.G(), alice);
        EXPECT_EQ(EquipCandidates(f.G(), alice, c.Where), c.Slots) << c.What;
        const auto rows = CandidateRows(f.G(), alice, c.Where);
        EXPECT_EQ(rows.back().Text, "L)なにも装備しない") << c.What;
        EXPECT_EQ(rows.size(), c.Slots.size() + 1) << c.What;
    }
}

TEST(Equipment, HandsAreTiedTogether) {
    ItemsFixture f;
    f.MakeParty();
    Creature& alice = f.Member(1);
    f.Hold(1, 1, GreatSword);
    f.Hold(1, 2, Shield, int32_t(Position::Secondary));
    EXPECT_EQ(EquipItem(f.G(), f.Player, alice, Position::Primary, 1), EquipOutcome::Worn);
    EXPECT_EQ(WornPosition(alice.Items[1]), Position::Primary);
    EXPECT_EQ(WornPosition(alice.Items[2]), Position::None)
        << "the two-handed sword bares the shield";

    EXPECT_EQ(EquipItem(f.G(), f.Player, alice, Position::Secondary, 2), EquipOutcome::Worn);
    EXPECT_EQ(WornPosition(alice.Items[1]), Position::None) << "the shield bares the sword";
    EXPECT_EQ(WornPosition(alice.Items[2]), Position::Secondary);

    EXPECT_EQ(EquipItem(f.G(), f.Player, alice, Position::Secondary, 0), EquipOutcome::Emptied);
    EXPECT_EQ(WornPosition(alice.Items[2]), Position::None) << "wearing nothing empties the hand";
    EXPECT_TRUE(f.Player.Messages().empty());
}

TEST(Equipment, CursesStickAndBlockTheOtherHand) {
    ItemsFixture f;
    f.MakeParty();
    Creature& alice = f.Member(1);
    f.Hold(1, 1, CursedShield);
    f.Hold(1, 2, GreatSword);
    f.Hold(1, 3, LongSword, int32_t(Position::Primary));
    f.Hold(1, 4, CursedHelm);
    f.Hold(1, 5, Helm);

    EXPECT_EQ(EquipItem(f.G(), f.Player, alice, Position::Head, 4), EquipOutcome::Cursed);
    EXPECT_EQ(alice.Items[4].ItemFlags, int32_t(Position::Head) | CursedEquipped);
    EXPECT_TRUE(PositionIsCursed(f.G(), alice, Position::Head));
    EXPECT_FALSE(PositionIsCursed(f.G(), alice, Position::Armour));
    EXPECT_EQ(CandidateRows(f.G(), alice, Position::Head)[0].Text, "4:- 呪いの兜");

    EXPECT_EQ(EquipItem(f.G(), f.Player, alice, Position::Secondary, 1), EquipOutcome::Cursed);
    f.Player.Clear();
    EXPECT_EQ(EquipItem(f.G(), f.Player, alice, Position::Primary, 2), EquipOutcome::Refused);
    EXPECT_TRUE(f.Player.Saw("装備できない\nセカンダリハンドが呪われているため"));
    EXPECT_EQ(WornPosition(alice.Items[2]), Position::None);
    EXPECT_EQ(WornPosition(alice.Items[3]), Position::None) << "what came off first stays off";
    EXPECT_EQ(WornPosition(alice.Items[1]), Position::Secondary);

    // A cursed two-handed sword keeps the shield out of the other hand.
    ItemsFixture g;
    g.MakeParty();
    g.G().Items[GreatSword].Cursed = -1;
    g.Hold(1, 1, GreatSword, int32_t(Position::Primary) | CursedEquipped);
    g.Hold(1, 2, Shield);
    EXPECT_EQ(EquipItem(g.G(), g.Player, g.Member(1), Position::Secondary, 2),
              EquipOutcome::Refused);
    EXPECT_TRUE(g.Player.Saw("装備できない\nプライマリハンドが呪われているため"));
}

struct ApplyCase {
    const char* What;
    std::vector<int32_t> Worn;  // items worn, each in its kind's position
    std::vector<int> SkillsOn;
    int32_t Effects;
    int32_t ACChange;  // from the race's armour class
    int32_t ACShown;   // AC less BaseAC
};

TEST(Equipment, ApplyAddsTheWornItemsOnTheRace) {
    const std::vector<ApplyCase> cases = {
        {"nothing worn", {}, {}, 0, 0, 0},
        {"a full set", {Helm, Armour, Gloves, Boots, Ring, Shield}, {}, 0, -8, 0},
        {"the party shield", {Armour}, {}, 64, -4, -3},
        {"the great party shield wins", {Armour}, {}, 64 | 128, -4, -5},
        {"a cursed helm is worse", {CursedHelm}, {}, 0, 2, 0},
        {"armourless skill at level 5", {Armour}, {110}, 0, -5, 0},
    };
    for (const ApplyCase& c : cases) {
        ItemsFixture f;
        f.MakeParty();
        f.G().PartyEffects = c.Effects;
        Creature& alice = f.Member(1);
        for (size_t i = 0; i < c.Worn.size(); ++i) {
            const int32_t kind = f.G().Items[static_cast<size_t>(c.Worn[i])].Kind;
            f.Hold(1, static_cast<int>(i) + 1, c.Worn[i], kind);
        }
        for (int s : c.SkillsOn) alice.Skills[static_cast<size_t>(s)] = -1;
        const Creature race = RaceOnly(f.G(), alice);
        ApplyEquipment(f.G(), alice);
        EXPECT_EQ(alice.BaseAC - race.BaseAC, c.ACChange) << c.What;
        EXPECT_EQ(alice.AC - alice.BaseAC, c.ACShown) << c.What;
    }

    ItemsFixture f;
    f.MakeParty();
    Creature& alice = f.Member(1);
    f.Hold(1, 1, Armour, 3);
    f.Hold(1, 2, Gloves, 4);
    f.Hold(1, 3, Boots, 5);
    f.Hold(1, 4, Ring, 7);
    alice.Skills[29] = -1;
    alice.Skills[36] = -1;
    ApplyEquipment(f.G(), alice);
    const Creature race = RaceOnly(f.G(), alice);
    EXPECT_EQ(alice.Regen, 2);
    EXPECT_EQ(alice.Resist[8], std::max<uint8_t>(race.Resist[8], 30));
    EXPECT_EQ(alice.DamageRate[8], std::max<uint8_t>(race.DamageRate[8], 120));
    EXPECT_EQ(alice.Resist[4], std::max<uint8_t>(race.Resist[4], 50));
    EXPECT_EQ(alice.Resist[2], std::min(100, race.Resist[2] + alice.IQ));
    EXPECT_EQ(alice.Resist[17], 100) << "the fearless skill survives a recompute";
    EXPECT_EQ(alice.GrantFlags1, 4);
    EXPECT_EQ(alice.GrantFlags2, 8);
}

TEST(Equipment, BareBodyAndFloor) {
    ItemsFixture f;
    f.MakeParty();
    Creature& alice = f.Member(1);
    alice.Level = 9;
    alice.Skills[111] = -1;
    ApplyEquipment(f.G(), alice);
    EXPECT_EQ(alice.BaseAC, 5);
    f.Hold(1, 1, Helm, 6);
    ApplyEquipment(f.G(), alice);
    EXPECT_NE(alice.BaseAC, 5) << "anything worn ends the bare-body armour class";

    alice.Skills[111] = 0;
    alice.Skills[110] = -1;
    alice.Level = 2000;
    ApplyEquipment(f.G(), alice);
    EXPECT_EQ(alice.BaseAC, -255);
}

// Any sequence of equipping and emptying positions leaves a record that
// computing from scratch reproduces, one item per position, and hands that
// are never both busy beside a two-handed weapon.
TEST(Equipment, AnySequenceMatchesTheRecordFromScratch) {
    std::mt19937 rng(20261209);
    for (int run = 0; run < 60; ++run) {
        ItemsFixture f;
        f.MakeParty();
        Creature& alice = f.Member(1);
        alice.Skills[SkillIndex(Skill::DualWield)] = run % 2 == 0 ? -1 : 0;
        const std::vector<int32_t> pool = {Sword,  Sword, LongSword, GreatSword,
                                           Shield, Helm,  Armour,    Gloves,
                                           Boots,  Ring,  Potion,    CursedHelm};
        for (size_t i = 0; i < pool.size(); ++i) f.Hold(1, static_cast<int>(i) + 1, pool[i]);
        MarkAllEquippable(f.G(), alice);
        for (int step = 0; step < 40; ++step) {
            const Position where = PositionRows[rng() % 7].Code;
            if (PositionIsCursed(f.G(), alice, where)) continue;
            const auto slots = EquipCandidates(f.G(), alice, where);
            const size_t pick = rng() % (slots.size() + 1);
            EquipItem(f.G(), f.Player, alice, where, pick == slots.size() ? 0 : slots[pick]);
            ApplyEquipment(f.G(), alice);

            Creature fresh = alice;
            fresh.BaseAC = 77;
            // Entry 0 is no attribute; the rest is left in disorder.
            std::fill(fresh.Resist.begin() + 1, fresh.Resist.end(), uint8_t{3});
            std::fill(fresh.DamageRate.begin() + 1, fresh.DamageRate.end(), uint8_t{250});
            fresh.Regen = -9;
            fresh.GrantFlags1 = fresh.GrantFlags2 = -1;
            ApplyEquipment(f.G(), fresh);
            ASSERT_EQ(fresh.BaseAC, alice.BaseAC) << "run " << run << " step " << step;
            ASSERT_EQ(fresh.AC, alice.AC);
            ASSERT_EQ(fresh.Resist, alice.Resist);
            ASSERT_EQ(fresh.DamageRate, alice.DamageRate);
            ASSERT_EQ(fresh.Regen, alice.Regen);
            ASSERT_EQ(fresh.GrantFlags1, alice.GrantFlags1);
            ASSERT_EQ(fresh.GrantFlags2, alice.GrantFlags2);

            int32_t expectedAC = RaceOnly(f.G(), alice).BaseAC;
            std::array<int, 8> perPosition{};
            bool twoHanded = false;
            for (int s = 1; s <= 15; ++s) {
                const InventorySlot& held = alice.Items[static_cast<size_t>(s)];
                if (held.ItemId == 0 || WornPosition(held) == Position::None) continue;
                const ItemDef& item = f.G().Items[static_cast<size_t>(held.ItemId)];
                expectedAC += item.ACBonus;
                ++perPosition[static_cast<size_t>(WornPosition(held))];
                twoHanded = twoHanded || item.TwoHanded != 0;
            }
            ASSERT_EQ(alice.BaseAC, expectedAC) << "run " << run << " step " << step;
            for (size_t p = 1; p < perPosition.size(); ++p) ASSERT_LE(perPosition[p], 1);
            if (twoHanded) {
                ASSERT_EQ(perPosition[2], 0) << "run " << run << " step " << step;
            }
        }
    }
}

}  // namespace
}  // namespace kv
