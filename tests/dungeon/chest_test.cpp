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
// human, the opener), B (class and race 256, 1 hit point), C (thief, race
// 2), D (dead, class and race 256). Wrong trap names are 罠1..罠50.
struct ChestFixture : MazeFixture {
    ChestFixture() {
        const std::array<std::array<int, 4>, 4> made = {
            {{1, 1, 4, 40}, {256, 256, 3, 1}, {8, 2, 2, 20}, {256, 256, 5, 0}}};
        for (int slot = 1; slot <= 4; ++slot) {
            const std::array<int, 4>& m = made[static_cast<size_t>(slot - 1)];
            Creature& c = AddMember(slot, std::array{"Ａ", "Ｂ", "Ｃ", "Ｄ"}[slot - 1]);
            c.Class = m[0];
            c.Race = static_cast<int16_t>(m[1]);
            c.Level = m[2];
            c.HP = c.MaxHP = m[3];
            c.Luck = 1;
            c.IQ = 3;
            c.Age = 14;
        }
        M(4).Status = StatusDead;
        Stand(5, 5);
        for (int row = 1; row < TrapRows; ++row)
            G().Traps[static_cast<size_t>(row)].TrapName = "罠" + std::to_string(row);
        G().ChestTrap.TrapName = TrueName;
        G().ChestTrap.TrapMessage = "毒針";
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

// What becomes of a member: u untouched, a told it avoided the trap, h hurt,
// k killed, p poisoned, q hurt and poisoned, z paralysed, s stoned, b
// blinded, l a statistic lowered.
struct TrapCase {
    int Code;
    std::function<void(ChestFixture&)> Setup;
    std::string Fates;      // members A, B, C, D
    std::string Told = "";  // a message that must be among those shown
};

TEST(Traps, EachEffectReachesItsMembersAndSparesTheOthers) {
    const auto none = [](ChestFixture&) {};
    // A drawn member is the opener when B and C hide.
    const auto onlyA = [](ChestFixture& f) { f.M(2).Status = f.M(3).Status = StatusHidden; };
    const auto luckOf3 = [](ChestFixture& f) {
        f.M(2).Status = f.M(3).Status = StatusHidden;
        f.M(1).Luck = 3;  // above the floor of 2, and never a save
    };
    const std::vector<TrapCase> cases = {
        {1, none, "huuu"},
        // The magic resistance is the test's second value: reflecting it is enough.
        {1, [](ChestFixture& f) { f.M(1).Resist[2] = 255; }, "auuu"},
        {2, none, "puuu"},
        // The opener's level (4) sizes every member's wound: B's one point goes.
        {3, none, "hkhu"},
        {4, none, "quuu"},
        {5, none, "zuuu"},
        {6, none, "hkhu"},
        {7, none, "hkhu"},
        {8, none, "hkhu"},
        {10, none, "akau"},
        {11, none, "aaau"},
        {13, none, "pppu"},
        // A die of 0 sides shows 1: a member of 1 hit point takes 1.
        {14, none, "hkhu", "Ｂは\n１のダメージをうけた"},
        {15, none, "hkhu"},
        {16, none, "luuu", "Ａの知恵が下がった"},
        {16, [](ChestFixture& f) { f.M(1).IQ = 2; }, "auuu"},
        {17, none, "luuu", "Ａの年齢が下がった"},
        {17, [](ChestFixture& f) { f.M(1).Age = 13; }, "auuu"},
        {18, none, "hkhu"},
        {19, none, "hkhu"},
        {20, onlyA, "luuu", "Ａの信仰心が下がった"},
        {21, onlyA, "auuu"},  // luck 1 is at the floor
        {21, luckOf3, "luuu", "Ａの運が下がった"},
        {22, onlyA, "luuu", "Ａの素早さが下がった"},
        {23, onlyA, "luuu", "Ａの力が下がった"},
        // Nobody left to draw: the trap does nothing.
        {23, [](ChestFixture& f) { f.M(1).Status = f.M(2).Status = f.M(3).Status = StatusHidden; },
         "uuuu"},
        {24, none, "hkhu"},
        {25, none, "hkhu"},
        {26, none, "hkhu"},
        {27, none, "hkhu"},
        // The race traps tell even the dead they were spared.
        {28, none, "akaa"},
        {29, none, "aaaa"},
        {30, none, "hkau"},
        {31, [](ChestFixture& f) { f.M(3).HP = 1; }, "aaka"},
        {32, none, "aaaa"},
        {33, [](ChestFixture& f) { f.M(1).HP = 1; }, "kaaa"},
        {34, onlyA, "suuu"},
        {35, none, "hkhu"},
        {36, none, "hkhu"},
        {37, [](ChestFixture& f) { f.M(2).Resist[24] = 200; }, "babu"},
        {38, none, "aaaa"},
        {39, none, "aaaa"},
        {40, none, "aaaa"},
        {41, [](ChestFixture& f) { f.M(3).Resist[12] = 200; }, "kkau"},
        {0, none, "uuuu"},
    };
    for (const TrapCase& c : cases) {
        ChestFixture f;
        c.Setup(f);
        f.G().ChestTrap.TrapEffect = static_cast<uint8_t>(c.Code);
        std::array<Creature, 4> before;
        for (int i = 0; i < 4; ++i) before[static_cast<size_t>(i)] = f.M(i + 1);
        SpringTrap(f.G(), f.Player, f.Display, f.M(1));
        EXPECT_EQ(f.Player.Messages().at(0), "おおっと！！　毒針") << c.Code;
        EXPECT_TRUE(c.Told.empty() || f.Player.Saw(c.Told)) << c.Code << " " << c.Told;
        for (int i = 0; i < 4; ++i) {
            const Creature& was = before[static_cast<size_t>(i)];
            const Creature& now = f.M(i + 1);
            const char fate = c.Fates[static_cast<size_t>(i)];
            const std::string where = "trap " + std::to_string(c.Code) + ", " + now.Name;
            EXPECT_EQ(f.Player.Saw(now.Name + "は\n罠を回避した"), fate == 'a') << where;
            if (fate == 'h' || fate == 'k' || fate == 'q') {
                EXPECT_LT(now.HP, was.HP) << where;
            } else {
                EXPECT_EQ(now.HP, was.HP) << where;
            }
            const int32_t added = fate == 'k'                  ? StatusDead
                                  : fate == 'p' || fate == 'q' ? StatusPoison
                                  : fate == 'z'                ? StatusParalysis
                                  : fate == 's'                ? StatusStone
                                  : fate == 'b'                ? StatusBlind
                                                               : 0;
            EXPECT_EQ(now.Status, was.Status | added) << where;
            const auto stats = [](const Creature& m) {
                return m.IQ + m.Age + m.Piety + m.Luck + m.Agility + m.Str;
            };
            EXPECT_EQ(stats(now), stats(was) - (fate == 'l' ? 1 : 0)) << where;
        }
    }
}

TEST(Traps, ADrawnMemberLosesSpellPointsAndATeleportNeverLandsOnTheEdge) {
    for (uint64_t seed = 1; seed <= 30; ++seed) {
        ChestFixture f;
        f.G().Rng.Seed(seed);  // each member's spell points are all 5
        for (int m : {1, 2, 3}) f.M(m).MP.fill(5);
        f.M(2).Status = StatusHidden;  // never drawn
        f.G().ChestTrap.TrapEffect = 9;
        SpringTrap(f.G(), f.Player, f.Display, f.M(1));
        const Creature& c = f.M(f.G().CurrentChar);
        ASSERT_TRUE(f.G().CurrentChar == 1 || f.G().CurrentChar == 3) << seed;
        EXPECT_EQ(std::count(c.MP.begin(), c.MP.end(), 0), 1) << seed;
        EXPECT_EQ(c.MP[MPIndex(4, 1)], 5) << "school 4 is nobody's";
        EXPECT_TRUE(f.Player.Saw(c.Name + "はMPが減った"));
        f.G().ChestTrap.TrapEffect = 12;
        SpringTrap(f.G(), f.Player, f.Display, f.M(1));
        EXPECT_TRUE(f.G().PartyX >= 1 && f.G().PartyY >= 1 && f.M(3).PosX == f.G().PartyX);
        // After an event's battle the party stays put.
        f.G().LastEventResult = 3;
        const int at = f.G().PartyX * 100 + f.G().PartyY;
        SpringTrap(f.G(), f.Player, f.Display, f.M(1));
        EXPECT_EQ(f.G().PartyX * 100 + f.G().PartyY, at);
    }
}

// Each kind of member inspects with its statistic's roll exactly at the mark
// and one below it; the other statistic is 1, so reading it never reaches.
TEST(ChestRules, InspectionNamesTheTrapFromItsMarkUp) {
    struct Case {
        bool Skilled, ByDexterity;
        int32_t Class;
        int Mark, SpringDie;
    };
    const std::vector<Case> cases = {{true, true, 8, 2, 50},
                                     {true, true, 32, 2, 50},
                                     {true, true, 1024, 3, 30},
                                     {true, true, 1, 10, 8},
                                     {false, false, 8, 17, 8}};
    for (const Case& c : cases) {
        for (int roll : {c.Mark, c.Mark - 1}) {
            ChestFixture f;
            int sides = 0;
            for (uint64_t seed = 1; sides == 0; ++seed) {
                f.G().Rng.Seed(seed);
                sides = SidesShowing(f.G().Rng, roll);
            }
            Creature& m = f.M(1);
            m.Class = c.Class;
            m.Skills[1] = c.Skilled ? 1 : 0;
            m.Dexterity = static_cast<uint8_t>(c.ByDexterity ? sides : 1);
            m.Agility = static_cast<uint8_t>(c.ByDexterity ? 1 : sides);
            Random probe = f.G().Rng;
            Dice(probe, 1, sides, 0);
            const bool springs = Dice(probe, 1, c.SpringDie, 0) == 1;
            const TrapReading read = InspectChest(f.G(), m);
            const std::string where = std::to_string(c.Class) + " roll " + std::to_string(roll);
            EXPECT_EQ(read.Name == TrueName, roll == c.Mark) << where;
            EXPECT_EQ(read.Sprung, roll < c.Mark && springs) << where;
        }
    }
    ChestFixture f;  // true sight names it even for the clumsiest
    f.M(1).Skills[1] = f.M(1).Skills[11] = 1;
    f.M(1).Dexterity = f.M(1).Agility = 1;
    EXPECT_EQ(InspectChest(f.G(), f.M(1)).Name, TrueName);
}

// The 1d60 roll (item level 10) equal to Dexterity + Level fails, one below
// passes, a 1 springs it; then Luck 15 always springs it, a luck roll of 16
// takes it off, and so do the luck-free and the sure hand; a wrong or no name
// springs it even for the sure hand.
TEST(ChestRules, DisarmOddsAtTheirEdges) {
    struct Case {
        std::string Answer;
        bool RollOfOne;
        int Margin;  // Dexterity + Level - the roll
        int Luck;    // 0: chosen so its roll shows 16
        int Skill;   // 2 luck-free, 12 sure
        DisarmResult Expected;
    };
    using enum DisarmResult;
    const std::vector<Case> cases = {
        {TrueName, false, 0, 20, 0, Failed},   {TrueName, false, 1, 15, 0, Sprung},
        {TrueName, false, 1, 15, 2, Disarmed}, {TrueName, false, 1, 0, 0, Disarmed},
        {TrueName, true, 150, 200, 0, Sprung}, {TrueName, false, 0, 1, 12, Disarmed},
        {"罠1", false, 1, 200, 12, Sprung},    {"", false, 1, 200, 12, Sprung}};
    for (const Case& c : cases) {
        ChestFixture f;
        f.G().ChestItemLevel = 10;
        Creature& m = f.M(1);
        int roll = 0, luck = c.Luck;
        for (uint64_t seed = 1; !(c.RollOfOne ? roll == 1 : roll > m.Level) || luck == 0; ++seed) {
            f.G().Rng.Seed(seed);
            Random probe = f.G().Rng;
            roll = Dice(probe, 1, 60, 0);
            luck = c.Luck != 0 ? c.Luck : SidesShowing(probe, 16);
        }
        m.Dexterity = static_cast<uint8_t>(roll - m.Level + c.Margin);
        m.Luck = static_cast<uint8_t>(luck);
        m.Skills[static_cast<size_t>(c.Skill)] = 1;
        const std::string where = c.Answer + std::to_string(c.Margin) + "/" + std::to_string(luck);
        EXPECT_EQ(TryDisarm(f.G(), f.Player, m, c.Answer), c.Expected) << where;
        EXPECT_EQ(f.Player.Saw("罠を外すことができなかった"), c.Expected == Failed) << where;
        EXPECT_EQ(f.Player.Saw("罠を外した"), c.Expected == Disarmed) << where;
    }
}

TEST(ChestRules, ATypedNameInCapitalsTheSpellAndWhoMayWork) {
    ChestFixture f;
    f.G().Config.TrapByList = 0;
    f.Player.Type("gas ｂｏｍｂ");
    EXPECT_EQ(NameTheTrap(f.G(), f.Player), "GAS ＢＯＭＢ");
    EXPECT_EQ(f.Player.Log().back().Title, "罠を外す");
    // A name stored in small letters matches its own capitals.
    f.G().ChestTrap.TrapName = "Gas ｂｏｍｂ";
    f.M(1).Skills[12] = 1;
    EXPECT_EQ(TryDisarm(f.G(), f.Player, f.M(1), "GAS ＢＯＭＢ"), DisarmResult::Disarmed);
    f.Player.Clear();

    SpellDef& spell = f.G().Spells[30];
    spell.School = 1;
    spell.SpellLevel = 2;
    spell.Slot = 3;
    spell.Effect = 41;
    Creature& m = f.M(3);
    m.MP[MPIndex(1, 2)] = 1;
    EXPECT_EQ(CastTrapIdentify(f.G(), f.Player, m), "") << "not known";
    m.Spell(1, 2, 3) = -1;
    EXPECT_NE(CastTrapIdentify(f.G(), f.Player, m), "");
    EXPECT_EQ(CastTrapIdentify(f.G(), f.Player, m), "") << "no point left";
    EXPECT_EQ(f.Player.Messages(), std::vector<std::string>(2, "唱える力がありません"));

    f.M(1).Status = StatusParalysis;
    EXPECT_TRUE(CanWorkChest(f.Player, f.M(3)) && !CanWorkChest(f.Player, f.M(1)));
    EXPECT_EQ(f.Player.Messages().back(), "無理だ");
}

// The list of trap names opens on the name picked last, counted among the
// rows shown (empty names are left out), never past the last row.
TEST(ChestRules, TheTrapListOpensOnTheNamePickedLast) {
    struct StartWatcher : ScriptedPlayer {
        int StartRow = -2;
        int ChooseFromList(const std::vector<std::string>& texts,
                           const std::vector<int32_t>& values, std::string_view prompt,
                           int startRow) override {
            StartRow = startRow;
            return ScriptedPlayer::ChooseFromList(texts, values, prompt, startRow);
        }
    };
    // Names 3 and 4 are empty: 48 rows are shown. {picked last, row shown}
    const std::vector<std::array<int, 2>> rows = {{0, 0}, {2, 1}, {5, 2}, {50, 47}, {60, 47}};
    for (const std::array<int, 2>& row : rows) {
        ChestFixture f;
        StartWatcher player;
        f.G().Traps[3].TrapName = f.G().Traps[4].TrapName = "";
        f.G().LastTrapPicked = static_cast<int16_t>(row[0]);
        player.Pick(5);
        EXPECT_EQ(NameTheTrap(f.G(), player), "罠5");
        EXPECT_EQ(player.StartRow, row[1]) << row[0];
        EXPECT_EQ(f.G().LastTrapPicked, 5);
    }
}

TEST(ChestItems, AChestHoldsWhatItsLevelAllowsForTheFirstWithRoom) {
    ChestFixture f;
    Game& g = f.G();
    // The hidden chest's table: items 10..13 of levels 1, 2, 3 and an empty row.
    for (int r = 1; r <= 4; ++r) {
        g.ChestItemTable[static_cast<size_t>(r)] = static_cast<int16_t>(r % 4);
        g.ChestItemTable[static_cast<size_t>(r + 51)] = static_cast<int16_t>(9 + r);
    }
    // Rows naming no item are passed over.
    g.ChestItemTable[5] = g.ChestItemTable[6] = 1;
    g.ChestItemTable[5 + 51] = 0;
    g.ChestItemTable[6 + 51] = 2001;
    g.ChestLevel = 2;
    EXPECT_EQ(ChestCandidates(g), (std::vector<int32_t>{10, 11}));
    // A battle chest: found at the item level or below, and appraisable.
    for (const std::array<int, 3> i :
         {std::array{20, 5, 1}, {21, 6, 1}, {22, 0, 1}, {23, 5, 0}, {24, 1, 2}}) {
        ItemDef& item = g.Items[static_cast<size_t>(i[0])];
        item.Id = i[0];
        item.FindLevel = static_cast<uint8_t>(i[1]);
        item.AppraiseLevel = static_cast<int16_t>(i[2]);
        item.UnidentifiedName = "？" + std::to_string(i[0]);
    }
    g.ChestLevel = 0;
    g.ChestItemLevel = 5;
    EXPECT_EQ(ChestCandidates(g), (std::vector<int32_t>{20, 24}));

    // A has no room: the finds go to B, unidentified, each told and counted.
    const auto fill = [&](int m) { f.M(m).Items.fill({20, 0, 1}); };
    fill(1);
    const int given = GiveChestItems(g, f.Player);
    EXPECT_TRUE(given >= 1 && given <= 3);
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
    for (int m : {2, 3, 4}) fill(m);
    f.Player.Clear();
    EXPECT_EQ(GiveChestItems(g, f.Player), 0);
    EXPECT_EQ(f.Player.Messages(), std::vector<std::string>{"パーティーの持ち物はいっぱいだった"});
}

// The monsters' dropped item is in their own chest only, and only until
// that chest is done with; a hidden chest with nothing for its level gives
// nothing and says nothing.
TEST(ChestItems, TheDroppedItemStaysWithTheBattleChest) {
    for (uint64_t seed = 1; seed <= 20; ++seed) {
        ChestFixture f;
        f.G().Rng.Seed(seed);
        f.G().Items[30].UnidentifiedName = "？盾";
        f.G().Battle.DropItemId = 30;
        f.G().ChestLevel = 3;  // a hidden chest; its table is empty
        EXPECT_EQ(GiveChestItems(f.G(), f.Player), 0);
        EXPECT_TRUE(f.Player.Messages().empty()) << seed;
        LeaveChest(f.G(), f.Player, f.Display);
        EXPECT_EQ(f.G().Battle.DropItemId, 0);
        EXPECT_EQ(f.Display.Saves, 1) << "the spot the search spent is saved";
    }
}

TEST(ChestItems, ASprungTrapThatWipesThePartyOutGivesNothing) {
    ChestFixture f;
    f.G().Items[20].FindLevel = f.G().Items[20].AppraiseLevel = 1;
    f.G().ChestItemLevel = 1;
    f.G().ChestTrap.TrapEffect = 41;
    f.G().ScreenState = ScreenStates::Chest;
    f.G().Battle.DropItemId = 20;
    int castleWhenPutAway = -1;
    const auto putAway = [&f, &castleWhenPutAway] { castleWhenPutAway = f.Display.CastleShown; };
    EXPECT_EQ(OpenChest(f.G(), f.Player, f.Display, 1, true, putAway).Outcome,
              MazeOutcome::WipedOut);
    EXPECT_EQ(f.G().ItemFound[20], 0);
    EXPECT_EQ(castleWhenPutAway, 0) << "the chest goes before the castle comes";
    EXPECT_EQ(f.Display.CastleShown, 1);
    EXPECT_EQ(f.G().ScreenState, ScreenStates::Map);
    EXPECT_EQ(f.G().Battle.DropItemId, 0);
}

TEST(TreasureSpots, AMemberWithTheSkillSeesAnActiveSpotUnderfoot) {
    ChestFixture f;
    const std::array<int16_t, 6> spot = {0, 21, 1, 5, 5, 1};  // place, floor, x, y, active
    for (int column = SpotPlace; column <= SpotActive; ++column)
        TreasureSpot(f.G(), column, 7) = spot[static_cast<size_t>(column)];
    EXPECT_FALSE(DroppedItemHint(f.G(), f.Player)) << "nobody has the skill";
    f.M(3).Skills[232] = 1;
    RunEvents(f.G(), f.Player, EventTrigger::Arrival, f.Display);
    EXPECT_TRUE(f.Player.Saw("何かが落ちている"));
    EXPECT_EQ(RunEvents(f.G(), f.Player, EventTrigger::Search, f.Display).ChestLevel, 1);
    EXPECT_FALSE(DroppedItemHint(f.G(), f.Player)) << "the spot is spent";
}

}  // namespace
}  // namespace kv
