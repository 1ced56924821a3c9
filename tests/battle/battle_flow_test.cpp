// Whole battles and rounds: the order actors act in, the payout, escape,
// the back attack, friendly groups and replaying a seed.
#include <gtest/gtest.h>

#include <vector>

#include "BattleFixture.h"

namespace kv::testing {
namespace {

// The attackers in the order their blows were announced.
std::vector<std::string> Attackers(const ScriptedPlayer& player) {
    std::vector<std::string> order;
    for (const std::string& m : player.Messages()) {
        const size_t at = m.find("の攻撃！！");
        if (at != std::string::npos) order.push_back(m.substr(0, at));
    }
    return order;
}

TEST(BattleRound, InitiativeOrder) {
    struct Case {
        int AkiTick, BobTick, OgreTick, OgreLuck;
        std::vector<std::string> Expected;
    };
    const Case cases[] = {
        {20, 10, 30, 10, {"オーガ", "アキ", "ボブ"}},
        {30, 30, 30, 14, {"アキ", "ボブ", "オーガ"}},  // equal luck: the party first
        {30, 30, 30, 15, {"オーガ", "アキ", "ボブ"}},  // the luckier monster first
        {5, 40, 5, 1, {"ボブ", "アキ", "オーガ"}},
    };
    for (const Case& c : cases) {
        BattleFixture f(2);
        f.G().Rng.Seed(3);
        StartBattle(f.G(), f.Player, f.Display, OgreEncounter);
        for (int m = 2; m <= GroupMemberCount; ++m) f.G().Battle.Monster(1, m).Id = 0;
        Creature& ogre = f.G().Battle.Monster(1, 1);
        ogre.HP = ogre.MaxHP = 10000;
        ogre.Luck = static_cast<uint8_t>(c.OgreLuck);
        ogre.Initiative = static_cast<int16_t>(c.OgreTick);
        for (int i = 1; i <= 2; ++i) {
            Creature& hero = *f.G().Member(i);
            hero.HP = hero.MaxHP = 10000;
            hero.Status = 0;
            hero.Command = CommandFight;
            hero.TargetGroup = 1;
            hero.Initiative = static_cast<int16_t>(i == 1 ? c.AkiTick : c.BobTick);
        }
        f.Player.Clear();
        RunRound(f.G(), f.Player, f.Display);
        EXPECT_EQ(Attackers(f.Player), c.Expected) << c.AkiTick << " " << c.OgreLuck;
    }
}

TEST(BattleOutcome, ExperienceAndGoldSplit) {
    struct Case {
        int ShirkerSkill;  // a member with skill 65 takes gold but no experience
        bool OneTakesAll;
        int32_t DownStatus;
        std::vector<double> Exp, Gold;
    };
    const Case cases[] = {
        {0, false, 0, {30, 30, 30}, {30, 30, 30}},
        {65, false, 0, {0, 45, 45}, {45, 45, 45}},
        {0, false, StatusDead, {0, 45, 45}, {0, 45, 45}},
        {0, true, 0, {90, 0, 0}, {90, 0, 0}},
    };
    for (const Case& c : cases) {
        BattleFixture f(3);
        Game& g = f.G();
        g.Battle.ExpPool = 90;
        g.Battle.GoldPool = 90;
        Creature& first = *g.Member(1);
        if (c.ShirkerSkill != 0) first.Skills[65] = 1;
        if (c.OneTakesAll) first.Skills[100] = 1;
        g.Member(2)->Status = 0;
        first.Status = c.DownStatus;
        PayOut(g, f.Player, f.Display);
        for (int i = 1; i <= 3; ++i) {
            EXPECT_EQ(g.Member(i)->Exp, c.Exp[static_cast<size_t>(i - 1)]) << i;
            EXPECT_EQ(g.Member(i)->Gold, c.Gold[static_cast<size_t>(i - 1)]) << i;
        }
    }
}

TEST(BattleOutcome, EscapeReturnsToThePreviousSquare) {
    struct Case {
        int RunnerSkill;
        int OgreLevel;
        BattleEnd Expected;
    };
    for (const Case& c : {Case{8, 3, BattleEnd::Escaped}, {8, 40, BattleEnd::Ongoing}}) {
        BattleFixture f;
        Game& g = f.G();
        g.PartyX = 5;
        g.PartyY = 6;
        g.LastX = 5;
        g.LastY = 5;
        StartBattle(g, f.Player, f.Display, OgreEncounter);
        if (g.Battle.Phase != BattlePhase::Commands) continue;
        for (int i = 1; i <= g.PartyCount; ++i) g.Member(i)->HP = g.Member(i)->MaxHP = 10000;
        g.Member(1)->Skills[8] = static_cast<int16_t>(c.RunnerSkill != 0);
        g.Battle.Monster(1, 1).Level = c.OgreLevel;
        const int roundsBefore = g.Battle.RoundNo;
        EXPECT_EQ(Escape(g, f.Player, f.Display), c.Expected);
        if (c.Expected == BattleEnd::Escaped) {
            EXPECT_EQ(g.PartyY, 5);
            EXPECT_EQ(g.Member(1)->Escapes, 1);
            EXPECT_FALSE(g.Battle.ListShown);
        } else {
            EXPECT_TRUE(f.Player.Saw("逃げれない！！"));
            EXPECT_EQ(g.Battle.RoundNo, roundsBefore + 1);  // the round was lost
            EXPECT_EQ(g.PartyY, 6);
        }
    }
}

// Seeds are searched for the opening wanted; the generator is the game's own,
// so the search always finds the same one.
template <typename Setup>
int FindSeed(const char* text, Setup setup) {
    for (int seed = 1; seed < 5000; ++seed) {
        BattleFixture f(6);
        setup(f);
        f.G().Rng.Seed(static_cast<uint64_t>(seed));
        StartBattle(f.G(), f.Player, f.Display, OgreEncounter);
        for (const auto& e : f.Player.Log())
            if (e.Text.find(text) != std::string::npos) return seed;
    }
    return 0;
}

TEST(BattleOpening, BackAttackStrikesTheRearAndRestoresTheOrder) {
    const auto setup = [](BattleFixture& f) {
        for (int i = 1; i <= 6; ++i) f.G().Member(i)->HP = f.G().Member(i)->MaxHP = 1000;
    };
    const int seed = FindSeed("モンスターのバックアタック", setup);
    ASSERT_NE(seed, 0);
    BattleFixture f(6);
    setup(f);
    f.G().Rng.Seed(static_cast<uint64_t>(seed));
    EXPECT_EQ(StartBattle(f.G(), f.Player, f.Display, OgreEncounter), BattleEnd::Ongoing);
    // Reversed, the monsters reach only the last three of the marching order.
    for (int i = 1; i <= 6; ++i) {
        EXPECT_EQ(f.G().PartyList[static_cast<size_t>(i)], i);
        EXPECT_EQ(f.G().Member(i)->PartyPos, i);
        if (i <= 3) {
            EXPECT_EQ(f.G().Member(i)->HP, 1000) << i;
        }
    }
}

TEST(BattleOpening, FriendlyGroupChangesAlignments) {
    struct Case {
        bool Fight;
        uint8_t From, To;
        BattleEnd Expected;
    };
    for (const Case& c :
         {Case{false, 4, 1, BattleEnd::LeftAlone}, {true, 1, 4, BattleEnd::Ongoing}}) {
        int changed = 0;
        int unchanged = 0;
        for (int seed = 1; seed < 4000 && changed == 0; ++seed) {
            BattleFixture f(6);
            for (int i = 1; i <= 6; ++i) f.G().Member(i)->Alignment = c.From;
            f.G().Member(6)->Skills[98] = 1;  // never changes
            f.G().Member(5)->Race = 256;
            f.G().Rng.Seed(static_cast<uint64_t>(seed));
            if (c.Fight) f.Player.Yes();
            const BattleEnd end = StartBattle(f.G(), f.Player, f.Display, OgreEncounter);
            bool asked = false;
            for (const auto& e : f.Player.Log())
                asked |= e.Kind == ScriptedPlayer::Shown::Question &&
                         e.Text == "友好的な\nオーガ\n戦いますか？";
            if (!asked) continue;
            EXPECT_EQ(end, c.Expected);
            EXPECT_EQ(f.G().Member(6)->Alignment, c.From);
            for (int i = 1; i <= 5; ++i) {
                const Creature& m = *f.G().Member(i);
                EXPECT_TRUE(m.Alignment == c.From || m.Alignment == c.To);
                if (m.Alignment == c.To)
                    ++changed;
                else
                    ++unchanged;
                if (i == 5 && c.Fight && m.Alignment == c.To) {
                    EXPECT_EQ(m.Race, 128);
                    EXPECT_EQ(m.Resist[13], 100);
                    EXPECT_TRUE(f.Player.Saw("は\n堕天しました"));
                }
            }
        }
        EXPECT_GT(changed, 0);
        EXPECT_GT(unchanged, 0);
    }
}

TEST(BattleFlow, WholeBattlesEndAndReplayBySeed) {
    struct Result {
        BattleEnd End;
        int Rounds;
        std::vector<std::string> Messages;
        double Exp;
    };
    const auto fight = [](uint64_t seed) {
        BattleFixture f;
        f.G().Rng.Seed(seed);
        int rounds = 0;
        const BattleEnd end = f.FightToTheEnd(SlimeEncounter, rounds);
        return Result{end, rounds, f.Player.Messages(), f.G().Roster[1].Exp};
    };
    int victories = 0;
    for (uint64_t seed : {1u, 2u, 3u, 42u, 1234u}) {
        const Result a = fight(seed);
        const Result b = fight(seed);
        EXPECT_NE(a.End, BattleEnd::Ongoing) << seed;
        EXPECT_EQ(a.End, b.End);
        EXPECT_EQ(a.Rounds, b.Rounds);
        EXPECT_EQ(a.Messages, b.Messages);
        EXPECT_EQ(a.Exp, b.Exp);
        if (a.End == BattleEnd::Victory) {
            ++victories;
            EXPECT_GT(a.Exp, 0) << seed;
        }
    }
    EXPECT_GT(victories, 0);
}

TEST(BattleFlow, DefeatLeavesTheBodiesWhereTheyFell) {
    BattleFixture f(2);
    Game& g = f.G();
    g.Monsters[OgreId].DamageDice = {10, 10, 100};
    g.PartyX = 7;
    g.PartyY = 9;
    int rounds = 0;
    EXPECT_EQ(f.FightToTheEnd(OgreEncounter, rounds), BattleEnd::Defeat);
    EXPECT_EQ(g.PartyCount, 0);
    EXPECT_TRUE(f.Player.Saw("パーティーは全滅した"));
    for (int slot = 1; slot <= 2; ++slot) {
        EXPECT_EQ(g.Roster[static_cast<size_t>(slot)].PosX, 7);
        EXPECT_EQ(g.Roster[static_cast<size_t>(slot)].PosY, 9);
        EXPECT_EQ(g.Roster[static_cast<size_t>(slot)].Floor, 1);
    }
}

}  // namespace
}  // namespace kv::testing
