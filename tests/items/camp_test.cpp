// Casting in camp (the checks before the effect), items used there and the
// break rule, the reference books, the teleport input, wishes and hidden powers.
#include <gtest/gtest.h>

#include "character/Inventory.h"
#include "items/CampFixture.h"
#include "items/HiddenPowers.h"
#include "items/ItemCommands.h"

namespace kv::testing {
namespace {

TEST(CampCasting, TheChecksBeforeTheEffect) {
    using Before = std::function<void(Creature & alice, SpellDef & spell)>;
    struct Case {
        std::string Typed;
        Before Set;
        const char* Shown;
        int PointsLeft;
    };
    const std::vector<Case> cases = {
        {"mappo", nullptr, "", 2},  // names compare in upper case
        {"FOO", nullptr, "なに？", 3},
        {"MAPPO", [](Creature&, SpellDef& s) { s.SpellFlags = 1; }, "今はその魔法はつかえない", 3},
        {"MAPPO", [](Creature&, SpellDef& s) { s.SpellLevel = 10; }, "禁呪は使うことが出来ない", 3},
        {"MAPPO", [](Creature&, SpellDef& s) { s.School = 4; }, "おや？", 3},
        {"MAPPO", [](Creature& a, SpellDef&) { a.Spell(1, 1, 1) = 0; }, "おや？", 3},
        {"MAPPO", [](Creature& a, SpellDef&) { a.Status = StatusSilence; },
         "アリスは\nＭＡＰＰＯの呪文を唱えた\nしかし呪文は音にならなかった", 2},
        {"MAPPO", [](Creature& a, SpellDef&) { a.Status = StatusSilence, a.MPAt(1, 1) = 0; },
         "音にならなかった", 0},
        {"MAPPO", [](Creature& a, SpellDef&) { a.MPAt(1, 1) = 0; }, "無理だ", 0},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        const Case& c = cases[i];
        CampFixture f;
        if (c.Set) c.Set(f.Alice(), f.G().Spells[1]);
        CastOutsideBattle(f.G(), f.Player, f.Host, 1, c.Typed);
        EXPECT_TRUE(*c.Shown == '\0' || f.Player.Saw(c.Shown));
        EXPECT_EQ(f.Alice().MPAt(1, 1), c.PointsLeft);
        EXPECT_EQ(f.Host.Automaps, i == 0 ? 1 : 0);
    }
}

// A harp (an instrument) and a scroll (a stackable item) that cast the map
// and always break (every roll of 1d100 is below 101), the scroll into dust.
struct ItemCamp : CampFixture {
    ItemCamp() {
        Define(1, 9, 1, 0).UseBreakChance = 101;
        Define(2, 10, 0, 0);
        Define(3, 8, 0, 2);
        Define(4, 8, 0, 1);
        Define(5, 3, 0, 0);
        ItemDef& scroll = Define(7, 8, 1, 0);
        scroll.BrokenInto = 2;
        scroll.UseBreakChance = 101;
    }
    ItemDef& Define(int id, int16_t kind, int16_t spell, int16_t useKind) {
        ItemDef& d = G().Items[static_cast<size_t>(id)];
        d.Id = id;
        d.Name = "品" + std::to_string(id);
        d.Kind = kind;
        d.SpellNo = spell;
        d.UseKind = useKind;
        return d;
    }
    CampResult Use(int slot) { return UseItemOutsideBattle(G(), Player, Host, 1, slot); }
};

TEST(CampItems, AnInstrumentWantsTheSinger) {
    ItemCamp f;
    f.Alice().Items[1] = {1, 0, 1};
    f.Use(1);
    EXPECT_TRUE(f.Player.Saw("しかし何もおこらなかった"));
    EXPECT_EQ(f.Alice().Items[1].ItemId, 1) << "unused, it does not break";
    EXPECT_EQ(f.Host.Automaps, 0);
    // The virtuoso's bonus of 100 lifts every roll to 101 at least: never below 101.
    f.Alice().Skills[47] = f.Alice().Skills[48] = 1;
    for (uint64_t seed = 1; seed <= 20; ++seed) {
        f.G().Rng.Seed(seed);
        f.Use(1);
    }
    EXPECT_EQ(f.Host.Automaps, 20);
    EXPECT_EQ(f.Alice().Items[1].ItemId, 1);
}

TEST(CampItems, TheSlotUsedBreaksAndWhatItBreaksIntoFindsRoom) {
    ItemCamp f;
    f.Alice().Items[1] = {7, 1, 1};  // a copy marked worn comes first
    f.Alice().Items[2] = {7, 0, 2};
    for (int slot = 3; slot <= 15; ++slot) f.Alice().Items[static_cast<size_t>(slot)] = {5, 0, 1};
    f.Use(2);
    EXPECT_EQ(f.Host.Automaps, 1);
    EXPECT_EQ(f.Alice().MPAt(1, 1), 3) << "an item costs no point, and refunds none";
    EXPECT_EQ(f.Alice().Items[1].ItemCount, 1) << "the worn copy stays";
    EXPECT_EQ(f.Alice().Items[2].ItemCount, 1);
    EXPECT_TRUE(f.Player.Saw("壊れました"));
    EXPECT_EQ(f.Bob().Items[1].ItemId, 2) << "no room with Alice: Bob takes the dust";
    EXPECT_EQ(f.G().CurrentChar, 1);
}

TEST(CampItems, TheBooksAreUsedUpAndShowAnEntry) {
    ItemCamp f;
    f.Alice().Items[1] = {3, 0, 2};
    f.Alice().Items[2] = {4, 0, 1};
    EXPECT_EQ(f.Use(1).ItemPanel, 0);
    EXPECT_TRUE(f.Player.Saw("大百科には何も載っていなかった・・・"));
    EXPECT_EQ(f.Alice().Items[1].ItemCount, 1);
    f.G().ItemFound[7] = 1;
    EXPECT_EQ(f.Use(1).ItemPanel, 7);
    EXPECT_EQ(f.Alice().Items[1].ItemId, 0);
    ItemDef& shown = f.G().Items[7];
    shown.ExtraChance[16] = 10;
    shown.RaceMask = 1;
    shown.ClassMask = 1;
    shown.SexMask = 2;
    shown.AlignMask = 4;
    const std::string details = ItemDetails(f.G(), shown);
    EXPECT_NE(details.find("\n" + f.G().Races[0].Abbrev + "\n" + f.G().Classes[0].Abbrev +
                           "\n女　Ｃ\n追加 麻痺\n"),
              std::string::npos)
        << details;

    f.G().MonsterKillCount[9] = 3;
    f.G().Monsters[9].Resist[4] = 255;
    f.G().Monsters[9].Resist[2] = 40;
    EXPECT_EQ(f.Use(2).MonsterPanel, 9);
    EXPECT_NE(MonsterDetails(f.G(), 9).find("炎　　反射\n魔法　無効４０％\n"), std::string::npos);
}

TEST(CampTeleport, MovesWrapAndTheProofCellsTurnBack) {
    CampFixture f;
    // 999 east of x 5 wraps to x 4; three floors down from floor 2.
    EXPECT_EQ(Teleport(f.G(), f.Player, f.Host, {"3", "999", "-7"}), CampOutcome::CloseDialog);
    ASSERT_EQ(f.Host.Moves.size(), 1u);
    EXPECT_EQ(f.Host.Moves[0], std::make_tuple(5, 4, 19));
    EXPECT_EQ(f.Host.Saves, 1);

    // Floor 2 - 10 is left to the landing check; what is not a number is 0.
    Teleport(f.G(), f.Player, f.Host, {"-10", "1-2", "x"});
    EXPECT_EQ(f.Host.Moves.back(), std::make_tuple(-8, 5, 6));

    // (0, 0) of floor 21 carries the mark: nobody moves, the game is saved.
    f.G().MapLayers[2][1 + 8 * 21] = 2;
    f.G().PartyX = f.G().PartyY = 0;
    f.Host.Moves.clear();
    Teleport(f.G(), f.Player, f.Host, {"19", "0", "0"});
    EXPECT_TRUE(f.Host.Moves.empty());
    EXPECT_TRUE(f.Player.Saw("パーティーは元の位置に戻された"));
}

TEST(CampWishes, EachRowAndItsCost) {
    const std::vector<std::pair<int, std::function<void(CampFixture&)>>> cases = {
        {1, [](CampFixture& f) { EXPECT_EQ(f.Bob().HP, 1) << "back alive with a hit point"; }},
        {2, [](CampFixture& f) { EXPECT_EQ(f.Bob().MPAt(0, 1) * 10 + f.Bob().MPAt(1, 1), 2); }},
        {8, [](CampFixture& f) { EXPECT_EQ(f.Bob().Agility, 16); }},
        {14, [](CampFixture& f) { EXPECT_TRUE(f.Bob().Race == 2 && f.Player.Saw("やり直して")); }},
    };
    for (const auto& [row, check] : cases) {
        SCOPED_TRACE(row);
        CampFixture f;
        f.Bob().Status = row == 1 ? StatusDead : 0;
        f.Bob().HP = 0;
        f.Bob().MaxMPAt(0, 1) = f.Bob().MaxMPAt(1, 1) = 2;  // only school 1 comes back
        f.Player.Pick(2);
        EXPECT_EQ(GrantWish(f.G(), f.Player, f.Host, 1, row), CampOutcome::Stay);
        check(f);
        EXPECT_EQ(f.Alice().Level, 4);
        EXPECT_NE(f.Alice().Status & StatusAshes, 0);
        EXPECT_EQ(f.Alice().Str + f.Alice().IQ + f.Alice().Luck, 15);
    }
}

TEST(CampWishes, GoingHomePaysBeforeTheSaveAndEscGrantsNothing) {
    CampFixture f;
    f.Alice().Spell(1, 9, 3) = 1;
    EXPECT_EQ(GrantWish(f.G(), f.Player, f.Host, 1, -1), CampOutcome::Stay);
    EXPECT_EQ(f.Alice().Level, 5);
    EXPECT_EQ(GrantWish(f.G(), f.Player, f.Host, 1, 18), CampOutcome::CloseDialog);
    EXPECT_EQ(f.Host.Moves.back(), std::make_tuple(1, 0, 0));
    EXPECT_EQ(f.Host.Saves, 1);
    EXPECT_EQ(f.Alice().Spell(1, 9, 3), 0);
    EXPECT_NE(f.Alice().Status & StatusAshes, 0);
}

TEST(HiddenPowers, ReleasedOnYesAndAStackBreaksOnePiece) {
    CampFixture f;
    ItemDef& gem = f.G().Items[5];
    gem.Id = 5, gem.Kind = 8, gem.BrokenInto = 6;
    gem.Power = 24;  // school 0, level 2
    gem.PowerBreakChance = 101;
    f.G().Items[6].Id = 6, f.G().Items[6].Kind = 8;
    f.Alice().Items[1] = {5, 0, 3};
    f.Alice().MaxMPAt(0, 2) = 8;
    f.Player.No().Yes();
    OfferItemPowers(f.G(), f.Player, 1);  // No: nothing
    EXPECT_EQ(f.Alice().MaxMPAt(0, 2), 8);
    OfferItemPowers(f.G(), f.Player, 1);
    EXPECT_EQ(f.Alice().MaxMPAt(0, 2), 9);
    EXPECT_EQ(f.Alice().MPAt(0, 2), 9);
    EXPECT_EQ(f.Alice().Items[1].ItemCount, 2);
    EXPECT_EQ(f.Alice().Items[2].ItemId, 6) << "one broken piece beside the stack";

    // Agility's limit is read at index 5, as at a level-up.
    ApplyItemPower(f.G(), f.Bob(), 5);
    EXPECT_EQ(f.Bob().Agility, 16);
}

}  // namespace
}  // namespace kv::testing
