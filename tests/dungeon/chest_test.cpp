// Chests on a bare game: the trap effects row by row, the odds of
// inspecting and disarming at their edges, the identification spell, the
// items a chest holds and where they go, and the hint of a treasure spot.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>

#include "MazeFixture.h"
#include "core/Dice.h"
#include "dungeon/Chest.h"
#include "dungeon/ChestItems.h"
#include "dungeon/Events.h"
#include "dungeon/Traps.h"
#include "dungeon/TreasureSpots.h"

namespace kv {
namespace {

using testing::MazeFixture;

constexpr const char* TrueName = "ＴＲＵＥ";

// A party of four that differ in class, race, level and hit points, whose
// luck never saves them and whose resistances never hold: A (fighter,
// human, the opener), B (priest bit 256, race 256, 1 hit point), C (thief
// bit 8, race 2), D (dead, class and race 256).
struct ChestFixture : MazeFixture {
    ChestFixture() {
        Member(1, "Ａ", 1, 1, 4, 40);
        Member(2, "Ｂ", 256, 256, 3, 1);
        Member(3, "Ｃ", 8, 2, 2, 20);
        Creature& d = Member(4, "Ｄ", 256, 256, 5, 10);
        d.HP = 0;
        d.Status = StatusDead;
        Stand(5, 5);
        for (int row = 1; row < TrapRows; ++row)
            G().Traps[static_cast<size_t>(row)].TrapName = "罠" + std::to_string(row);
        G().ChestTrap.TrapName = TrueName;
        G().ChestTrap.TrapMessage = "毒針";
    }
    Creature& Member(int slot, const char* name, int32_t classBit, int16_t race, int level,
                     int hp) {
        Creature& c = AddMember(slot, name);
        c.Class = classBit;
        c.Race = race;
        c.Level = level;
        c.HP = c.MaxHP = hp;
        c.Luck = 1;
        c.IQ = 3;
        c.Age = 14;
        return c;
    }
    Creature& M(int slot) { return G().Roster[static_cast<size_t>(slot)]; }
};

// The sides of a die whose next roll on this generator shows `want`; 0 when
// no die up to 255 does.
int SidesShowing(Random rng, int want) {
    const double r = UnitRandom(rng);
    for (int sides = 1; sides <= 255; ++sides)
        if (static_cast<int>(r * sides) + 1 == want) return sides;
    return 0;
}

enum class Fate { Untouched, Avoided, Hurt, Killed, Poisoned, Blinded, Lowered };

struct TrapCase {
    int Code;
    std::function<void(ChestFixture&)> Setup;
    std::array<Fate, 4> Fates;  // members A, B, C, D
    std::string Told = "";      // a message that must be among those shown
};

TEST(Traps, EachEffectReachesItsMembersAndSparesTheOthers) {
    using F = Fate;
    const auto none = [](ChestFixture&) {};
    const std::vector<TrapCase> cases = {
        {1, none, {F::Hurt, F::Untouched, F::Untouched, F::Untouched}},
        // The magic resistance is the test's second value: reflecting it is enough.
        {1,
         [](ChestFixture& f) { f.M(1).Resist[2] = 255; },
         {F::Avoided, F::Untouched, F::Untouched, F::Untouched}},
        {2, none, {F::Poisoned, F::Untouched, F::Untouched, F::Untouched}},
        // The opener's level (4) sizes every member's wound: B's one point goes.
        {3, none, {F::Hurt, F::Killed, F::Hurt, F::Untouched}},
        {10, none, {F::Avoided, F::Killed, F::Avoided, F::Untouched}},
        // A die of 0 sides shows 1: a member of 1 hit point takes 1.
        {14, none, {F::Hurt, F::Killed, F::Hurt, F::Untouched}, "Ｂは\n１のダメージをうけた"},
        {16, none, {F::Lowered, F::Untouched, F::Untouched, F::Untouched}, "Ａの知恵が下がった"},
        {16,
         [](ChestFixture& f) { f.M(1).IQ = 2; },
         {F::Avoided, F::Untouched, F::Untouched, F::Untouched}},
        {17, none, {F::Lowered, F::Untouched, F::Untouched, F::Untouched}, "Ａの年齢が下がった"},
        {17,
         [](ChestFixture& f) { f.M(1).Age = 13; },
         {F::Avoided, F::Untouched, F::Untouched, F::Untouched}},
        // The race traps tell even the dead they were spared.
        {28, none, {F::Avoided, F::Killed, F::Avoided, F::Avoided}},
        {30, none, {F::Hurt, F::Killed, F::Avoided, F::Untouched}},
        {37,
         [](ChestFixture& f) { f.M(2).Resist[24] = 200; },
         {F::Blinded, F::Avoided, F::Blinded, F::Untouched}},
        {41,
         [](ChestFixture& f) { f.M(3).Resist[12] = 200; },
         {F::Killed, F::Killed, F::Avoided, F::Untouched}},
        {0, none, {F::Untouched, F::Untouched, F::Untouched, F::Untouched}},
    };
    for (const TrapCase& c : cases) {
        ChestFixture f;
        c.Setup(f);
        f.G().ChestTrap.TrapEffect = static_cast<uint8_t>(c.Code);
        std::array<Creature, 4> before;
        for (int i = 0; i < 4; ++i) before[static_cast<size_t>(i)] = f.M(i + 1);
        SpringTrap(f.G(), f.Player, f.Display, f.M(1));
        const std::vector<std::string> shown = f.Player.Messages();
        ASSERT_FALSE(shown.empty());
        EXPECT_EQ(shown[0], "おおっと！！　毒針") << c.Code;
        if (!c.Told.empty()) {
            EXPECT_TRUE(f.Player.Saw(c.Told)) << c.Code << " " << c.Told;
        }
        for (int i = 0; i < 4; ++i) {
            const Creature& was = before[static_cast<size_t>(i)];
            const Creature& now = f.M(i + 1);
            const std::string where = "trap " + std::to_string(c.Code) + ", " + now.Name;
            const auto told = std::count_if(shown.begin() + 1, shown.end(), [&](const auto& m) {
                return m.rfind(now.Name, 0) == 0;
            });
            const bool avoided = f.Player.Saw(now.Name + "は\n罠を回避した");
            switch (c.Fates[static_cast<size_t>(i)]) {
                case F::Untouched:
                    EXPECT_EQ(told, 0) << where;
                    EXPECT_EQ(now.HP, was.HP) << where;
                    break;
                case F::Avoided:
                    EXPECT_TRUE(avoided) << where;
                    EXPECT_EQ(now.HP, was.HP) << where;
                    EXPECT_EQ(now.Status, was.Status) << where;
                    break;
                case F::Hurt:
                    EXPECT_LT(now.HP, was.HP) << where;
                    EXPECT_FALSE(avoided) << where;
                    break;
                case F::Killed:
                    EXPECT_EQ(now.Status & StatusDead, StatusDead) << where;
                    EXPECT_EQ(now.HP, 0) << where;
                    break;
                case F::Poisoned:
                    EXPECT_EQ(now.Status, was.Status | StatusPoison) << where;
                    break;
                case F::Blinded:
                    EXPECT_EQ(now.Status, was.Status | StatusBlind) << where;
                    break;
                case F::Lowered:
                    EXPECT_EQ(now.IQ + now.Age, was.IQ + was.Age - 1) << where;
                    EXPECT_EQ(told, 1) << where;
                    break;
            }
        }
    }
}

TEST(Traps, ADrawnMemberLosesSpellPointsAndATeleportNeverLandsOnTheEdge) {
    for (uint64_t seed = 1; seed <= 30; ++seed) {
        ChestFixture f;
        f.G().Rng.Seed(seed);
        f.M(2).MP.fill(5);
        f.M(2).Status = StatusHidden;  // hidden: never drawn
        f.M(3).MP.fill(5);
        f.M(1).MP.fill(5);
        f.G().ChestTrap.TrapEffect = 9;
        SpringTrap(f.G(), f.Player, f.Display, f.M(1));
        const int drawn = f.G().CurrentChar;
        ASSERT_TRUE(drawn == 1 || drawn == 3) << seed;
        const Creature& c = f.M(drawn);
        EXPECT_EQ(std::count(c.MP.begin(), c.MP.end(), 0), 1) << seed;
        EXPECT_EQ(c.MP[MPIndex(4, 1)], 5) << "school 4 is nobody's";
        EXPECT_TRUE(f.Player.Saw(c.Name + "はMPが減った"));

        f.G().ChestTrap.TrapEffect = 12;
        SpringTrap(f.G(), f.Player, f.Display, f.M(1));
        EXPECT_GE(f.G().PartyX, 1);
        EXPECT_GE(f.G().PartyY, 1);
        EXPECT_EQ(f.G().LastX, f.G().PartyX);
        EXPECT_EQ(f.M(3).PosX, f.G().PartyX) << "every member goes along";
        // After an event's battle the party stays put.
        f.G().LastEventResult = 3;
        const int x = f.G().PartyX, y = f.G().PartyY;
        SpringTrap(f.G(), f.Player, f.Display, f.M(1));
        EXPECT_EQ(f.G().PartyX * 100 + f.G().PartyY, x * 100 + y);
    }
}

// Inspection by each kind of member, its statistic's roll exactly at the
// mark and one below it; the other statistic is 1, so reading the wrong one
// never reaches the mark.
TEST(ChestRules, InspectionNamesTheTrapFromItsMarkUp) {
    struct Case {
        bool Skilled;
        int32_t Class;
        bool ByDexterity;
        int Mark;
        int SpringDie;
    };
    const std::vector<Case> cases = {
        {true, 8, true, 2, 50}, {true, 32, true, 2, 50},  {true, 1024, true, 3, 30},
        {true, 1, true, 10, 8}, {false, 8, false, 17, 8},
    };
    for (const Case& c : cases) {
        for (int roll : {c.Mark, c.Mark - 1}) {
            for (uint64_t seed = 1;; ++seed) {
                ChestFixture f;
                f.G().Rng.Seed(seed);
                const int sides = SidesShowing(f.G().Rng, roll);
                if (sides == 0) continue;
                Creature& m = f.M(1);
                m.Class = c.Class;
                m.Skills[1] = c.Skilled ? 1 : 0;
                m.Dexterity = static_cast<uint8_t>(c.ByDexterity ? sides : 1);
                m.Agility = static_cast<uint8_t>(c.ByDexterity ? 1 : sides);
                Random probe = f.G().Rng;
                Dice(probe, 1, sides, 0);
                const bool springs = Dice(probe, 1, c.SpringDie, 0) == 1;
                const TrapReading read = InspectChest(f.G(), m);
                const std::string where =
                    "class " + std::to_string(c.Class) + " roll " + std::to_string(roll);
                if (roll >= c.Mark) {
                    EXPECT_EQ(read.Name, TrueName) << where;
                    EXPECT_FALSE(read.Sprung) << where;
                } else {
                    EXPECT_EQ(read.Sprung, springs) << where;
                    EXPECT_NE(read.Name, TrueName) << where;
                }
                break;
            }
        }
    }
    // The true sight skill names it even for the clumsiest.
    ChestFixture f;
    f.M(1).Skills[1] = f.M(1).Skills[11] = 1;
    f.M(1).Dexterity = f.M(1).Agility = 1;
    EXPECT_EQ(InspectChest(f.G(), f.M(1)).Name, TrueName);
}

TEST(ChestRules, DisarmOddsAtTheirEdges) {
    // The dexterity roll: a roll equal to Dexterity + Level fails, one
    // below passes; then Luck 15 always springs, 16 and a roll of 16 comes
    // off; the luck-free skill needs no luck roll.
    struct Case {
        int DexterityLessRoll;  // Dexterity + Level - roll
        int Luck;
        bool Steady;
        DisarmResult Expected;
    };
    const std::vector<Case> cases = {
        {0, 20, false, DisarmResult::Failed},
        {1, 15, false, DisarmResult::Sprung},
        {1, 15, true, DisarmResult::Disarmed},
        {1, 0, false, DisarmResult::Disarmed},  // Luck chosen so its roll shows 16
    };
    for (const Case& c : cases) {
        for (uint64_t seed = 1;; ++seed) {
            ChestFixture f;
            f.G().Rng.Seed(seed);
            f.G().ChestItemLevel = 10;
            Random probe = f.G().Rng;
            const int roll = Dice(probe, 1, 60, 0);
            if (roll < 3) continue;
            int luck = c.Luck;
            if (luck == 0) luck = SidesShowing(probe, 16);
            if (luck == 0) continue;
            Creature& m = f.M(1);
            m.Level = 2;
            m.Dexterity = static_cast<uint8_t>(roll - m.Level + c.DexterityLessRoll);
            m.Luck = static_cast<uint8_t>(luck);
            m.Skills[2] = c.Steady ? 1 : 0;
            EXPECT_EQ(TryDisarm(f.G(), f.Player, m, TrueName), c.Expected)
                << c.DexterityLessRoll << " " << c.Luck;
            EXPECT_EQ(f.Player.Saw("罠を外すことができなかった"),
                      c.Expected == DisarmResult::Failed);
            break;
        }
    }
    ChestFixture f;
    // A roll of 1 springs it whatever the hand.
    for (uint64_t seed = 1;; ++seed) {
        f.G().Rng.Seed(seed);
        Random probe = f.G().Rng;
        if (Dice(probe, 1, 50, 0) != 1) continue;
        f.M(1).Dexterity = 200;
        f.M(1).Luck = 200;
        EXPECT_EQ(TryDisarm(f.G(), f.Player, f.M(1), TrueName), DisarmResult::Sprung);
        break;
    }
    // A wrong or no name springs it, even for the sure hand; the right one
    // comes off for it with no roll at all.
    f.M(1).Skills[12] = 1;
    f.M(1).Dexterity = 0;
    EXPECT_EQ(TryDisarm(f.G(), f.Player, f.M(1), "罠1"), DisarmResult::Sprung);
    EXPECT_EQ(TryDisarm(f.G(), f.Player, f.M(1), ""), DisarmResult::Sprung);
    EXPECT_EQ(TryDisarm(f.G(), f.Player, f.M(1), TrueName), DisarmResult::Disarmed);
    EXPECT_TRUE(f.Player.Saw("罠を外した"));
}

TEST(ChestRules, TheTrapIsNamedInCapitalsFromTheListOrTyped) {
    ChestFixture f;
    f.G().Traps[3].TrapName = "ｎｅｅｄｌｅ";
    f.Player.Pick(3);
    EXPECT_EQ(NameTheTrap(f.G(), f.Player), "ＮＥＥＤＬＥ");
    EXPECT_EQ(f.G().LastTrapPicked, 3);
    f.G().Config.TrapByList = 0;
    f.Player.Type("gas bomb");
    EXPECT_EQ(NameTheTrap(f.G(), f.Player), "GAS BOMB");
    EXPECT_EQ(f.Player.Log().back().Title, "罠を外す");
    EXPECT_EQ(f.Player.Log().back().Text, "罠を入力して下さい");
}

TEST(ChestRules, TheSpellNeedsTheSpellKnownAndAPointLeft) {
    ChestFixture f;
    SpellDef& spell = f.G().Spells[30];
    spell.Effect = 41;
    spell.School = 1;
    spell.SpellLevel = 2;
    spell.Slot = 3;
    Creature& m = f.M(3);
    m.MP[MPIndex(1, 2)] = 1;
    EXPECT_EQ(CastTrapIdentify(f.G(), f.Player, m), "") << "not known";
    EXPECT_TRUE(f.Player.Saw("唱える力がありません"));
    m.Spell(1, 2, 3) = -1;
    const std::string name = CastTrapIdentify(f.G(), f.Player, m);
    EXPECT_FALSE(name.empty());
    EXPECT_EQ(m.MP[MPIndex(1, 2)], 0);
    f.Player.Clear();
    EXPECT_EQ(CastTrapIdentify(f.G(), f.Player, m), "") << "no point left";
    EXPECT_TRUE(f.Player.Saw("唱える力がありません"));
    EXPECT_TRUE(CanWorkChest(f.Player, f.M(1)));
    EXPECT_FALSE(CanWorkChest(f.Player, f.M(4)));
    f.M(1).Status = StatusParalysis;
    EXPECT_FALSE(CanWorkChest(f.Player, f.M(1)));
    EXPECT_EQ(f.Player.Messages().back(), "無理だ");
}

TEST(ChestItems, AChestHoldsWhatItsLevelAllows) {
    ChestFixture f;
    Game& g = f.G();
    // The hidden chest's table: levels 1, 2, 3 and an empty row.
    const std::array<std::array<int16_t, 2>, 4> table = {{{1, 10}, {2, 11}, {3, 12}, {0, 13}}};
    for (size_t r = 0; r < table.size(); ++r) {
        g.ChestItemTable[r + 1] = table[r][0];
        g.ChestItemTable[r + 52] = table[r][1];
    }
    g.ChestLevel = 2;
    EXPECT_EQ(ChestCandidates(g), (std::vector<int32_t>{10, 11}));
    // A battle chest: found at the item level or below, and appraisable.
    struct Item {
        int Id, Find, Appraise;
    };
    for (const Item& i :
         std::vector<Item>{{20, 5, 1}, {21, 6, 1}, {22, 0, 1}, {23, 5, 0}, {24, 1, 2}}) {
        g.Items[static_cast<size_t>(i.Id)].Id = i.Id;
        g.Items[static_cast<size_t>(i.Id)].FindLevel = static_cast<uint8_t>(i.Find);
        g.Items[static_cast<size_t>(i.Id)].AppraiseLevel = static_cast<int16_t>(i.Appraise);
        g.Items[static_cast<size_t>(i.Id)].UnidentifiedName = "？" + std::to_string(i.Id);
    }
    g.ChestLevel = 0;
    g.ChestItemLevel = 5;
    EXPECT_EQ(ChestCandidates(g), (std::vector<int32_t>{20, 24}));

    // A has no room: the finds go to B, unidentified, each told and counted.
    for (int slot = 1; slot <= 15; ++slot) f.M(1).Items[static_cast<size_t>(slot)] = {20, 0, 1};
    const int given = GiveChestItems(g, f.Player);
    EXPECT_GE(given, 1);
    EXPECT_LE(given, 3);
    int held = 0;
    for (const InventorySlot& s : f.M(2).Items) {
        if (s.ItemId == 0) continue;
        ++held;
        EXPECT_EQ(s.ItemFlags & Unidentified, Unidentified);
        EXPECT_TRUE(f.Player.Saw("Ｂは\n？" + std::to_string(s.ItemId) + "を手に入れた"));
    }
    EXPECT_EQ(held, given);
    EXPECT_EQ(g.ItemFound[20] + g.ItemFound[24], given);

    // Nobody has room: the party is told, nothing is counted.
    for (int m = 2; m <= 4; ++m)
        for (int slot = 1; slot <= 15; ++slot) f.M(m).Items[static_cast<size_t>(slot)] = {20, 0, 1};
    f.Player.Clear();
    EXPECT_EQ(GiveChestItems(g, f.Player), 0);
    EXPECT_EQ(f.Player.Messages(), std::vector<std::string>{"パーティーの持ち物はいっぱいだった"});
}

TEST(ChestItems, ASprungTrapThatWipesThePartyOutGivesNothing) {
    ChestFixture f;
    Game& g = f.G();
    g.Items[20].FindLevel = 1;
    g.Items[20].AppraiseLevel = 1;
    g.ChestItemLevel = 1;
    g.ChestTrap.TrapEffect = 41;
    g.ScreenState = ScreenStates::Chest;
    const MoveResult end = OpenChest(g, f.Player, f.Display, 1, true);
    EXPECT_EQ(end.Outcome, MazeOutcome::WipedOut);
    EXPECT_EQ(g.ItemFound[20], 0);
    EXPECT_EQ(f.Display.CastleShown, 1);
    EXPECT_EQ(g.ScreenState, ScreenStates::Map);
}

TEST(TreasureSpots, AMemberWithTheSkillSeesAnActiveSpotUnderfoot) {
    ChestFixture f;
    Game& g = f.G();
    TreasureSpot(g, SpotPlace, 7) = 21;
    TreasureSpot(g, SpotFloor, 7) = 1;
    TreasureSpot(g, SpotX, 7) = 5;
    TreasureSpot(g, SpotY, 7) = 5;
    TreasureSpot(g, SpotActive, 7) = 1;
    RunEvents(g, f.Player, EventTrigger::Arrival, f.Display);
    EXPECT_FALSE(f.Player.Saw("何かが落ちている")) << "nobody has the skill";
    f.M(3).Skills[232] = 1;
    RunEvents(g, f.Player, EventTrigger::Arrival, f.Display);
    EXPECT_TRUE(f.Player.Saw("何かが落ちている"));
    // Found, the spot is spent and gives no hint any more.
    const EventRun search = RunEvents(g, f.Player, EventTrigger::Search, f.Display);
    EXPECT_EQ(search.ChestLevel, 1);
    f.Player.Clear();
    RunEvents(g, f.Player, EventTrigger::Arrival, f.Display);
    EXPECT_FALSE(f.Player.Saw("何かが落ちている"));
}

}  // namespace
}  // namespace kv
