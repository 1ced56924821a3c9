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
    struct Case {
        const char* Name;
        std::string Typed;
        std::function<void(CampFixture&)> Before;
        const char* Shown;
        int PointsLeft;
        int Automaps;
    };
    const std::vector<Case> cases = {
        {"LowerCaseFindsTheSpell", "mappo", nullptr, "", 2, 1},
        {"UnknownName", "FOO", nullptr, "なに？", 3, 0},
        {"NotForTheCamp", "MAPPO", [](CampFixture& f) { f.G().Spells[1].SpellFlags = 1; },
         "今はその魔法はつかえない", 3, 0},
        {"Forbidden", "MAPPO", [](CampFixture& f) { f.G().Spells[1].SpellLevel = 10; },
         "禁呪は使うことが出来ない", 3, 0},
        {"AMonstersSchoolIsNoCharactersSpell", "MAPPO",
         [](CampFixture& f) { f.G().Spells[1].School = 4; }, "おや？", 3, 0},
        {"NotKnown", "MAPPO", [](CampFixture& f) { f.Alice().Spell(1, 1, 1) = 0; }, "おや？", 3, 0},
        {"SilencedLosesThePoint", "MAPPO", [](CampFixture& f) { f.Alice().Status = StatusSilence; },
         "アリスは\nＭＡＰＰＯの呪文を唱えた\nしかし呪文は音にならなかった", 2, 0},
        {"SilencedWithoutPointsStaysAtZero", "MAPPO",
         [](CampFixture& f) {
             f.Alice().Status = StatusSilence;
             f.Alice().MPAt(1, 1) = 0;
         },
         "音にならなかった", 0, 0},
        {"NoPointLeft", "MAPPO", [](CampFixture& f) { f.Alice().MPAt(1, 1) = 0; }, "無理だ", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        CampFixture f;
        if (c.Before) c.Before(f);
        CastOutsideBattle(f.G(), f.Player, f.Host, 1, c.Typed);
        if (*c.Shown != '\0') {
            EXPECT_TRUE(f.Player.Saw(c.Shown));
        }
        EXPECT_EQ(f.Alice().MPAt(1, 1), c.PointsLeft);
        EXPECT_EQ(f.Host.Automaps, c.Automaps);
    }
}

// A harp (an instrument) and a scroll (a stackable item) that cast the map
// and always break (every roll of 1d100 is below 101), the scroll into dust.
struct ItemCamp : CampFixture {
    ItemCamp() {
        Define(1, 9, [](ItemDef& d) {
            d.SpellNo = 1;
            d.UseBreakChance = 101;
        });
        Define(2, 10, nullptr);
        Define(3, 8, [](ItemDef& d) { d.UseKind = 2; });
        Define(4, 8, [](ItemDef& d) { d.UseKind = 1; });
        Define(5, 3, nullptr);
        Define(7, 8, [](ItemDef& d) {
            d.SpellNo = 1;
            d.BrokenInto = 2;
            d.UseBreakChance = 101;
        });
    }
    void Define(int id, int16_t kind, const std::function<void(ItemDef&)>& more) {
        ItemDef& d = G().Items[static_cast<size_t>(id)];
        d.Id = id;
        d.Name = "品" + std::to_string(id);
        d.Kind = kind;
        if (more) more(d);
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

TEST(CampItems, TheVirtuosoNeverBreaksAtTheEdge) {
    ItemCamp f;
    f.Alice().Skills[47] = f.Alice().Skills[48] = 1;
    f.Alice().Items[1] = {1, 0, 1};
    for (uint64_t seed = 1; seed <= 20; ++seed) {
        f.G().Rng.Seed(seed);
        f.Use(1);
    }
    EXPECT_EQ(f.Alice().Items[1].ItemId, 1);
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
    f.G().Monsters[9].Name = "スライム";
    f.G().Monsters[9].Resist[4] = 255;
    f.G().Monsters[9].Resist[2] = 40;
    f.G().Monsters[9].AttackEffects[16] = 10;
    EXPECT_EQ(f.Use(2).MonsterPanel, 9);
    const std::string panel = MonsterDetails(f.G(), 9);
    EXPECT_NE(panel.find("追加攻撃：麻痺\n"), std::string::npos);
    EXPECT_NE(panel.find("炎　　反射\n"), std::string::npos);
    EXPECT_NE(panel.find("魔法　無効４０％\n"), std::string::npos);
}

TEST(CampTeleport, TheBoxesAreReadSafely) {
    const std::vector<std::pair<std::string, int>> boxes = {
        {"0", 0}, {"12", 12}, {"-3", -3}, {"-", 0}, {"", 0}, {"1-2", 0}, {"x", 0}, {"--1", 0}};
    for (const auto& [text, value] : boxes) EXPECT_EQ(ParseMoveBox(text), value) << text;
}

TEST(CampTeleport, MovesWrapAndTheProofCellsTurnBack) {
    CampFixture f;
    // 999 east of x 5 wraps to x 4; three floors down from floor 2.
    EXPECT_EQ(Teleport(f.G(), f.Player, f.Host, {"3", "999", "-7"}), CampOutcome::CloseDialog);
    ASSERT_EQ(f.Host.Moves.size(), 1u);
    EXPECT_EQ(f.Host.Moves[0], std::make_tuple(5, 4, 19));
    EXPECT_EQ(f.Host.Saves, 1);

    // Floor 2 - 10 is left to the landing check.
    Teleport(f.G(), f.Player, f.Host, {"-10", "0", "0"});
    EXPECT_EQ(std::get<0>(f.Host.Moves.back()), -8);

    // (0, 0) of floor 21 carries the mark: nobody moves, the game is saved.
    f.G().MapLayers[2][1 + 8 * 21] = 2;
    f.G().PartyX = f.G().PartyY = 0;
    f.Host.Moves.clear();
    Teleport(f.G(), f.Player, f.Host, {"19", "0", "0"});
    EXPECT_TRUE(f.Host.Moves.empty());
    EXPECT_TRUE(f.Player.Saw("パーティーは元の位置に戻された"));
}

TEST(CampWishes, EachRowAndItsCost) {
    struct Case {
        int Row;
        std::function<void(CampFixture&)> Check;
    };
    const std::vector<Case> cases = {
        {0, [](CampFixture& f) { EXPECT_EQ(f.Bob().HP, 30); }},
        {1, [](CampFixture& f) { EXPECT_EQ(f.Bob().HP, 1) << "back alive with a hit point"; }},
        {2,
         [](CampFixture& f) {
             EXPECT_EQ(f.Bob().MPAt(0, 1), 0) << "school 0 is not restored";
             EXPECT_EQ(f.Bob().MPAt(1, 1), 2);
         }},
        {4, [](CampFixture& f) { EXPECT_EQ(f.Bob().Str, 15); }},
        {8, [](CampFixture& f) { EXPECT_EQ(f.Bob().Agility, 16); }},
        {14,
         [](CampFixture& f) {
             EXPECT_EQ(f.Bob().Race, 2);
             EXPECT_TRUE(f.Player.Saw("もう一度装備をやり直してください"));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Row);
        CampFixture f;
        f.Bob().Status = StatusDead;
        f.Bob().HP = 0;
        f.Bob().MaxMPAt(0, 1) = f.Bob().MaxMPAt(1, 1) = 2;
        if (c.Row != 1) f.Bob().Status = 0;
        f.Player.Pick(2);
        EXPECT_EQ(GrantWish(f.G(), f.Player, f.Host, 1, c.Row), CampOutcome::Stay);
        c.Check(f);
        EXPECT_EQ(f.Alice().Level, 4);
        EXPECT_NE(f.Alice().Status & StatusAshes, 0);
        EXPECT_EQ(f.Alice().Str, 5);
        EXPECT_EQ(f.Alice().IQ, 5);
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
    gem.Id = 5;
    gem.Name = "宝石";
    gem.Kind = 8;
    gem.Power = 24;  // school 0, level 2
    gem.PowerBreakChance = 101;
    gem.BrokenInto = 6;
    f.G().Items[6].Id = 6;
    f.G().Items[6].Kind = 8;
    f.Alice().Items[1] = {5, 0, 3};
    f.Alice().MaxMPAt(0, 2) = 8;
    f.Player.No().Yes();
    OfferItemPowers(f.G(), f.Player, 1);  // No: nothing
    EXPECT_EQ(f.Alice().MaxMPAt(0, 2), 8);
    OfferItemPowers(f.G(), f.Player, 1);
    EXPECT_EQ(f.Alice().MaxMPAt(0, 2), 9);
    EXPECT_EQ(f.Alice().MPAt(0, 2), 9);
    EXPECT_EQ(f.Alice().Items[1].ItemCount, 2);
    EXPECT_EQ(f.Alice().Items[2].ItemId, 6);
    EXPECT_EQ(f.Alice().Items[2].ItemCount, 1);

    struct Power {
        int Code;
        std::function<void(Creature&)> Check;
    };
    const std::vector<Power> powers = {
        {1, [](Creature& c) { EXPECT_EQ(c.Str, 16); }},
        {5, [](Creature& c) { EXPECT_EQ(c.Agility, 17); }},
        {21, [](Creature& c) { EXPECT_EQ(c.Dexterity, 15); }},
        {7, [](Creature& c) { EXPECT_EQ(c.Age, 19); }},
        {11,
         [](Creature& c) {
             EXPECT_EQ(c.Race, 128);
             EXPECT_EQ(c.Alignment, 4);
         }},
        {59, [](Creature& c) { EXPECT_EQ(c.Exp, 500000); }},
        {62, [](Creature& c) { EXPECT_EQ(c.Exp, 200000); }},
    };
    for (const Power& p : powers) {
        SCOPED_TRACE(p.Code);
        CampFixture g;
        ApplyItemPower(g.G(), g.Alice(), p.Code);
        p.Check(g.Alice());
    }
}

}  // namespace
}  // namespace kv::testing
