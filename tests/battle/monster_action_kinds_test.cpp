// Every kind of monster action on a fresh battle: the data-driven kinds, each
// built-in action by its row, and each effect a monster's spell can have,
// checked for the change it makes; and the turn's summon target, asked once.
#include <gtest/gtest.h>

#include <functional>

#include "battle/BattleFixture.h"
#include "battle/MonsterActions.h"

namespace kv::testing {
namespace {

constexpr int DataRow = 401;
constexpr int SpellRow = 40;  // the one monster spell of the test's school and level

// Aki, Bob and Kai (distinct statistics, Luck 1: nothing is dodged) of 100
// hit points against one ogre of 60 out of 100 in a group of its own.
struct Field {
    BattleFixture f{0};
    Creature* ogre = nullptr;

    Field() {
        static const char* Names[] = {"アキ", "ボブ", "カイ"};
        for (int i = 0; i < 3; ++i) {
            TestCharacter made;
            made.Name = Names[i];
            made.HP = 100;
            made.Stats = {15 + i, 9 + i, 11 + i, 13 + i, 14 + i, 16 + i, 10 + i, 1};
            made.Joins(G(), i + 1).DamageRate.fill(100);
        }
        for (int row = 1; row <= 318; ++row)
            G().MonsterActions[static_cast<size_t>(row)].ActionKind = 3;
        G().Battle.Monster(1, 0) = BattleFixture::Monster(OgreId, "オーガ", 0, 0);
        G().Battle.Monster(1, 0).Status = StatusDead;
        for (int m = 2; m <= GroupMemberCount; ++m) G().Battle.Monster(1, m).Status = StatusDead;
        ogre = &G().Battle.Monster(1, 1);
        *ogre = BattleFixture::Monster(OgreId, "オーガ", 0, 0);
        ogre->HP = 60;
        ogre->MaxHP = 100;
        ogre->IQ = 1;  // 1d1 is below 7: a row spell goes at the front row
        ogre->DamageDice = {0, 0, 20};
        G().Battle.Rows[1] = 1;
        G().Battle.GroupCount = 1;
        G().Battle.ActingGroup = 1;
        G().Battle.ActingMember = 1;
        G().MonsterAttributeTable.fill(SlimeId);
        G().Rng.Seed(3);
    }
    Game& G() { return f.G(); }
    Creature& M(int position) { return *G().Member(position); }
    int Lost() {
        int lost = 0;
        for (int p = 1; p <= 3; ++p) lost += 100 - M(p).HP;
        return lost;
    }
    SpellDef& MonsterSpell(int school, int effect, int kind, std::array<int16_t, 3> dice) {
        SpellDef& s = G().Spells[SpellRow];
        s.Code = SpellRow;
        s.Name = "TEST";
        s.School = static_cast<uint8_t>(school);
        s.SpellLevel = 1;
        s.Effect = static_cast<uint8_t>(effect);
        s.TargetKind = static_cast<uint8_t>(kind);
        s.SpellFlags = 4;
        s.SpellDice = dice;
        s.SpellAttribute = 4;
        return s;
    }
    MonsterActionDef& Data(int kind, int type) {
        MonsterActionDef& row = G().MonsterActions[DataRow];
        row.ActionKind = kind;
        row.TargetType = type;
        row.DiceCount = "0";
        row.DiceSides = "0";
        row.DiceAdd = "7";
        row.Times = "2";
        row.Attribute = 1;
        row.ConditionChance[15] = 100;  // sleep
        row.Message = "は暴れた";
        return row;
    }
    void Turn(int row) {
        ogre->Actions.fill(static_cast<int16_t>(row));
        RunMonsterAction(G(), f.Player, *ogre);
    }
};

struct ActionCase {
    const char* What;
    int Row;
    std::function<void(Field&)> Setup;
    std::function<bool(Field&)> Holds;
};

TEST(MonsterActionKinds, EveryKindHasItsEffect) {
    const auto spell = [](int school, int effect, int kind, std::array<int16_t, 3> dice) {
        return [=](Field& x) { x.MonsterSpell(school, effect, kind, dice); };
    };
    const auto allCarry = [](int32_t bit) {
        return [=](Field& x) {
            for (int p = 1; p <= 3; ++p)
                if ((x.M(p).Status & bit) == 0) return false;
            return true;
        };
    };
    const ActionCase cases[] = {
        {"damage: 7 twice on every member", DataRow, [](Field& x) { x.Data(1, TargetStanding); },
         [](Field& x) { return x.Lost() == 42 && x.M(1).Status == 0; }},
        {"conditions only", DataRow, [](Field& x) { x.Data(2, TargetStanding); },
         [&](Field& x) { return x.Lost() == 0 && allCarry(StatusSleep)(x); }},
        {"damage, then conditions", DataRow, [](Field& x) { x.Data(4, TargetStanding); },
         [&](Field& x) { return x.Lost() == 42 && allCarry(StatusSleep)(x); }},
        {"another kind does nothing", DataRow, [](Field& x) { x.Data(5, TargetStanding); },
         [](Field& x) { return x.Lost() == 0 && x.f.Player.Messages().empty(); }},
        {"the plain attack: one blow of 20, or a miss", 1,
         [](Field& x) { x.ogre->AttackCount = 1; },
         [](Field& x) {
             return (x.Lost() == 0 || x.Lost() == 20) && x.f.Player.Saw("オーガの攻撃");
         }},
        // Spells of a school and level, by the spell's effect.
        {"mage's attack spell at the whole party", 2, spell(0, 2, 3, {0, 0, 9}),
         [](Field& x) { return x.Lost() == 27; }},
        {"a front-row attack in a party of 3 reaches 1..3", 2, spell(0, 2, 2, {0, 0, 9}),
         [](Field& x) { return x.Lost() == 27; }},
        {"one member at random", 2, spell(0, 2, 1, {0, 0, 9}),
         [](Field& x) { return x.Lost() == 9; }},
        {"a silenced mage says nothing useful", 2,
         [&](Field& x) {
             spell(0, 2, 3, {0, 0, 9})(x);
             x.ogre->Status = StatusSilence;
         },
         [](Field& x) { return x.Lost() == 0 && x.f.Player.Saw("しかし呪文は音にならなかった"); }},
        {"an alchemist is not silenced", 20,
         [&](Field& x) {
             spell(2, 2, 3, {0, 0, 9})(x);
             x.ogre->Status = StatusSilence;
         },
         [](Field& x) { return x.Lost() == 27; }},
        {"no spell of the school and level: nothing, silently", 11, spell(0, 2, 3, {0, 0, 9}),
         [](Field& x) { return x.Lost() == 0 && x.f.Player.Messages().empty(); }},
        {"sleep", 11, spell(1, 15, 3, {}), allCarry(StatusSleep)},
        {"fear", 11, spell(1, 17, 3, {}), allCarry(StatusFear)},
        {"confusion", 11, spell(1, 18, 3, {}), allCarry(StatusConfusion)},
        {"silence", 11, spell(1, 23, 3, {}), allCarry(StatusSilence)},
        {"lost (chance 100)", 11, spell(1, 33, 3, {}), allCarry(StatusLost)},
        {"monster armour", 11, spell(1, 5, 2, {3, 0, 0}),
         [](Field& x) { return x.ogre->AC == -3; }},
        {"party armour", 11, spell(1, 4, 2, {2, 0, 0}),
         [](Field& x) { return x.M(1).AC == 2 && x.M(3).AC == 2; }},
        {"heal", 11, spell(1, 7, 2, {0, 0, 15}), [](Field& x) { return x.ogre->HP == 75; }},
        {"full heal", 11,
         [&](Field& x) {
             spell(1, 53, 2, {})(x);
             x.ogre->Status = StatusPoison | StatusBlind;
         },
         [](Field& x) { return x.ogre->HP == 100 && x.ogre->Status == 0; }},
        {"heal all", 11,
         [&](Field& x) {
             spell(1, 52, 2, {0, 0, 5})(x);
             x.G().Battle.Monster(2, 1) = *x.ogre;
         },
         [](Field& x) { return x.ogre->HP == 65 && x.G().Battle.Monster(2, 1).HP == 65; }},
        {"lingering fire on the party", 11, spell(1, 65, 2, {2, 6, 1}),
         [](Field& x) {
             const PartyAreaEffect& e = x.G().Battle.PartyAreaEffects[4];
             return e.Count == 2 && e.Sides == 6 && e.Add == 1 && e.Strength == 2;
         }},
        // An attribute outside 4..14 names no lingering effect: ignored.
        {"lingering with attribute 22", 11,
         [](Field& x) {
             x.MonsterSpell(1, 65, 2, {2, 6, 1}).SpellAttribute = 22;
         },
         [](Field& x) {
             for (const PartyAreaEffect& e : x.G().Battle.PartyAreaEffects)
                 if (e.Count != 0 || e.Strength != 0) return false;
             return true;
         }},
        {"monster magic shield", 11, spell(1, 46, 2, {}),
         [](Field& x) { return x.G().Battle.MonsterMagicShield == 1; }},
        {"monster breath shield at its limit", 11,
         [&](Field& x) {
             spell(1, 47, 2, {})(x);
             x.G().Battle.BreathShield = 3;
         },
         [](Field& x) {
             return x.G().Battle.BreathShield == 3 && x.f.Player.Saw("しかし効果がなかった");
         }},
        {"the party's shields undone", 11,
         [&](Field& x) {
             spell(1, 48, 2, {})(x);
             x.G().Battle.PartyMagicShield = x.G().Battle.PartyBreathShield = 2;
         },
         [](Field& x) {
             return x.G().Battle.PartyMagicShield == 0 && x.G().Battle.PartyBreathShield == 0;
         }},
        {"flight", 29, nullptr,
         [](Field& x) { return x.ogre->Status == StatusDead && x.G().Battle.KillCount == 0; }},
        {"body slam (a special attack)", 33, nullptr,
         [](Field& x) { return x.Lost() >= 1 && x.ogre->HP == 60 - x.Lost(); }},
        {"a call for help", 35, [](Field& x) { x.G().Rng.Seed(4); },
         [](Field& x) {
             return x.f.Player.Saw("助けを呼んだ") &&
                    (x.G().Battle.Monster(1, 2).Status == 0 ||
                     x.f.Player.Saw("しかし助けは来なかった・・・"));
         }},
        // Breath of 60 hit points: 30 on each member, by element.
        {"fire breath", 36, nullptr, [](Field& x) { return x.Lost() == 90; }},
        {"lightning breath", 37, nullptr,
         [&](Field& x) { return x.Lost() == 90 && allCarry(StatusShock)(x); }},
        {"cold breath", 38, nullptr,
         [&](Field& x) { return x.Lost() == 90 && allCarry(StatusFrozen)(x); }},
        {"acid breath", 39, nullptr,
         [&](Field& x) { return x.Lost() == 90 && allCarry(StatusPoison)(x); }},
        {"theft", 87,
         [](Field& x) {
             ItemDef& potion = x.G().Items[11];
             potion.Id = 11;
             potion.Kind = 8;
             for (int p = 1; p <= 3; ++p) x.M(p).Items[2] = {11, 0, 1};
         },
         [](Field& x) {
             int left = 0;
             for (int p = 1; p <= 3; ++p) left += x.M(p).Items[2].ItemId == 11;
             return left == 2 && x.ogre->Status == StatusDead && x.G().Battle.KillCount == 0;
         }},
        {"a group summoned", 91, nullptr,
         [](Field& x) {
             return x.G().Battle.Monster(2, 1).Name == "スライム" && x.G().Battle.GroupCount == 2;
         }},
        {"a special attack: stone fang", 107, nullptr, [](Field& x) { return x.Lost() == 20; }},
        {"a row that is no action", 30, nullptr,
         [](Field& x) { return x.Lost() == 0 && x.f.Player.Messages().empty(); }},
    };
    for (const ActionCase& c : cases) {
        SCOPED_TRACE(c.What);
        Field x;
        x.G().Monsters[SlimeId] = BattleFixture::Monster(SlimeId, "スライム", 2, 0);
        if (c.Setup) c.Setup(x);
        x.Turn(c.Row);
        EXPECT_TRUE(c.Holds(x)) << ::testing::PrintToString(x.f.Player.Messages());
    }
}

// The summon target is asked once a turn: with the same dice, the plain
// attack and a data-driven row turn on the summon on the same turns.
TEST(MonsterActionKinds, TheTurnsSummonTargetDecidesForEveryKind) {
    int agreed = 0, summonTurns = 0;
    for (uint64_t seed = 1; seed <= 40; ++seed) {
        bool hitSummon[2]{};
        for (int kind = 0; kind < 2; ++kind) {
            Field x;
            Creature& golem = x.G().Battle.Summons[1];
            golem = BattleFixture::Monster(4, "ゴーレム", 0, 0);
            golem.HP = golem.MaxHP = 500;
            golem.Charm = 250;
            x.ogre->AttackCount = 1;
            x.Data(1, TargetOne);
            x.G().Rng.Seed(seed);
            x.Turn(kind == 0 ? 1 : DataRow);
            hitSummon[kind] = x.f.Player.Saw("ゴーレム");
        }
        agreed += hitSummon[0] == hitSummon[1];
        summonTurns += hitSummon[1];
    }
    EXPECT_EQ(agreed, 40);
    EXPECT_GT(summonTurns, 10);
    EXPECT_LT(summonTurns, 40);
}

// A wasting monster (negative regeneration) that falls below 1 dies of it
// unbooked; at exactly 1 left it lives.
TEST(MonsterActionKinds, NegativeRegenerationKillsUnbooked) {
    for (const int hp : {5, 6}) {
        Field x;
        x.ogre->HP = hp;
        x.ogre->Regen = -5;
        x.Turn(30);
        EXPECT_EQ(x.ogre->HP, hp - 5);
        EXPECT_EQ((x.ogre->Status & StatusDead) != 0, hp == 5) << hp;
        EXPECT_EQ(x.G().Battle.KillCount, 0);
        EXPECT_EQ(x.G().Battle.ExpPool, 0);
    }
}

// A summon's theft that rolls for the second item of a monster that has
// none takes the first: every theft announced puts an item in the party's hands.
TEST(MonsterActionKinds, ASummonsTheftAlwaysBringsWhatItAnnounces) {
    Field x;
    ItemDef& potion = x.G().Items[11];
    potion.Id = 11;
    potion.Kind = 8;
    Creature& golem = x.G().Battle.Summons[1];
    golem = BattleFixture::Monster(4, "ゴーレム", 0, 0);
    golem.HP = golem.MaxHP = 50;
    golem.Dexterity = 250;
    golem.Actions.fill(87);
    int thefts = 0;
    for (uint64_t seed = 1; seed <= 150; ++seed) {
        x.G().Rng.Seed(seed);
        x.ogre->Items[1] = {11, 0, 1};
        x.ogre->Items[2] = {};
        for (int p = 1; p <= 3; ++p) x.M(p).Items = {};
        x.f.Player.Clear();
        RunSummonAction(x.G(), x.f.Player, golem);
        int held = 0;
        for (int p = 1; p <= 3; ++p) held += x.M(p).Items[1].ItemId == 11;
        const bool announced = x.f.Player.Saw("そしてアイテムを盗んだ");
        EXPECT_EQ(held, announced ? 1 : 0) << seed;
        thefts += announced;
        EXPECT_EQ(x.ogre->Items[1].ItemId, 0);
    }
    EXPECT_GT(thefts, 100);
}

// A summon's lingering spell falls on the group it fights, at the spell's
// attribute; an attribute outside 4..14 names no effect and is ignored.
TEST(MonsterActionKinds, ASummonsLingeringSpellKeepsToTheAttributes) {
    for (const int attribute : {14, 15}) {
        Field x;
        x.MonsterSpell(1, 65, 2, {2, 6, 1}).SpellAttribute = static_cast<uint8_t>(attribute);
        Creature& golem = x.G().Battle.Summons[1];
        golem = BattleFixture::Monster(4, "ゴーレム", 0, 0);
        golem.HP = golem.MaxHP = 50;
        golem.Actions.fill(11);
        RunSummonAction(x.G(), x.f.Player, golem);
        int set = 0;
        for (const auto& group : x.G().Battle.GroupAreaEffects)
            for (const GroupAreaEffect& e : group) set += e.Rounds != 0;
        EXPECT_EQ(set, attribute == 14 ? 1 : 0) << attribute;
        if (attribute == 14) {
            EXPECT_EQ(x.G().Battle.GroupAreaEffects[1][14].Rounds, 2);
        }
    }
}

}  // namespace
}  // namespace kv::testing
