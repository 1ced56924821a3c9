// The demo's first two floors, fought as a new party of six plays them: its
// first three fights on floor 1 with only the priest and herbs between them,
// then trips of a few fights with the town in between, ten fights on floor 1
// and ten on floor 2. The figures a player feels are printed one a line and
// held: how often the new party comes back whole, what a fight is worth
// against the level table, and the levels twenty fights bring.
#include <gtest/gtest.h>

#include <iostream>

#include "battle/DemoParty.h"

namespace kv::testing {
namespace {

constexpr int Fights = 20;
constexpr int FirstFights = 3;
constexpr int FightsPerTrip = 4;
constexpr int TuningSeeds = 12;

bool AllStanding(Game& game) {
    for (int i = 1; i <= game.PartyCount; ++i)
        if (!Standing(*game.Member(i))) return false;
    return true;
}

bool NeedsTown(Game& game) {
    int hp = 0;
    int most = 0;
    for (int i = 1; i <= game.PartyCount; ++i) {
        hp += game.Member(i)->HP;
        most += game.Member(i)->MaxHP;
    }
    return !AllStanding(game) || hp * 2 < most;
}

// A level's worth of experience for the member at his level now.
double LevelSpan(const Creature& c) {
    return ExpForLevel(c.Level, c.Class, c.Race) - ExpForLevel(c.Level - 1, c.Class, c.Race);
}

struct Campaign {
    bool FirstFightsWhole = false;  // nobody down after the first three fights
    int Won = 0;
    int Lost = 0;
    int Raised = 0;
    int OnCredit = 0;
    int Rounds = 0;
    std::array<double, 3> LevelShare{};  // by floor: a fight's experience per member / a level
    std::array<int, 3> FloorWins{};
    std::array<int, 3> Fallen{};  // by floor: members down after a fight
    double AverageLevel = 0;
    double AverageGold = 0;  // left after the last visit to town
    bool operator==(const Campaign&) const = default;
};

// The shop's stock of a new game is the same for every campaign.
Campaign TwentyFights(Game& game, const std::vector<int32_t>& stock, uint64_t seed) {
    game.Stock = stock;
    game.Rng.Seed(seed);
    ScriptedPlayer player;
    player.Keep = false;
    NewParty(game, player);
    Campaign result;
    int tripFights = 0;
    for (int fight = 0; fight < Fights; ++fight) {
        const int floor = fight < Fights / 2 ? 1 : 2;
        game.CurrentPlace = 21;
        game.CurrentFloor = static_cast<int16_t>(floor);
        const Fought end = Fight(game, player, 0);
        result.Rounds += game.Battle.RoundNo;
        ++tripFights;
        if (end == Fought::Won) {
            ++result.Won;
            // What one member of a whole party earns, against the level the
            // first fighter stands at.
            const double share = game.Battle.ExpPool / 6.0;
            result.LevelShare[static_cast<size_t>(floor)] += share / LevelSpan(*game.Member(1));
            ++result.FloorWins[static_cast<size_t>(floor)];
        }
        result.Lost += end == Fought::Lost ? 1 : 0;
        for (int i = 1; i <= game.PartyCount; ++i)
            result.Fallen[static_cast<size_t>(floor)] += Standing(*game.Member(i)) ? 0 : 1;
        if (end != Fought::Lost) RestInMaze(game);
        if (fight + 1 == FirstFights) result.FirstFightsWhole = AllStanding(game);
        if (fight + 1 == FirstFights || tripFights == FightsPerTrip || NeedsTown(game) ||
            end == Fought::Lost) {
            const TownVisit visit = VisitTown(game);
            result.Raised += visit.Raised;
            result.OnCredit += visit.OnCredit;
            tripFights = 0;
        }
    }
    VisitTown(game);
    for (int i = 1; i <= game.PartyCount; ++i) {
        result.AverageLevel += game.Member(i)->Level / 6.0;
        result.AverageGold += game.Member(i)->Gold / 6.0;
    }
    for (int floor = 1; floor <= 2; ++floor)
        if (result.FloorWins[static_cast<size_t>(floor)] > 0)
            result.LevelShare[static_cast<size_t>(floor)] /=
                result.FloorWins[static_cast<size_t>(floor)];
    return result;
}

TEST(DemoTuning, ANewPartySurvivesItsFirstFightsAndReachesLevelFourInTwentyFights) {
    auto game = LoadDemo();
    if (!game) GTEST_SKIP() << "the demo scenario is not built";
    const std::vector<int32_t> stock = game->Stock;
    int whole = 0;
    int won = 0;
    int lost = 0;
    int raised = 0;
    int onCredit = 0;
    double level = 0;
    double gold = 0;
    std::array<double, 3> share{};
    std::array<int, 3> fallen{};
    for (int seed = 1; seed <= TuningSeeds; ++seed) {
        const Campaign c = TwentyFights(*game, stock, static_cast<uint64_t>(seed));
        whole += c.FirstFightsWhole ? 1 : 0;
        won += c.Won;
        lost += c.Lost;
        raised += c.Raised;
        onCredit += c.OnCredit;
        level += c.AverageLevel / TuningSeeds;
        gold += c.AverageGold / TuningSeeds;
        for (size_t floor = 1; floor <= 2; ++floor) {
            share[floor] += c.LevelShare[floor] / TuningSeeds;
            fallen[floor] += c.Fallen[floor];
        }
    }
    std::cout << "first three floor-1 fights: the new party comes back whole in " << whole << " of "
              << TuningSeeds << " runs\n"
              << "a floor-1 fight: " << share[1] * 100 << "% of a level per member\n"
              << "a floor-2 fight: " << share[2] * 100 << "% of a level per member\n"
              << "twenty fights: average level " << level << ", gold left per member " << gold
              << ", won " << won << ", lost " << lost << " of " << Fights * TuningSeeds
              << ", members raised or cured at the temple " << raised << " (" << onCredit
              << " of them beyond the party's gold)\n"
              << "members fallen per fight: floor 1 " << fallen[1] / (TuningSeeds * Fights / 2.0)
              << ", floor 2 " << fallen[2] / (TuningSeeds * Fights / 2.0) << "\n";
    EXPECT_GE(whole * 4, TuningSeeds * 3) << "three runs in four at least";
    EXPECT_GE(share[1], 0.08);
    EXPECT_LE(share[1], 0.35);
    EXPECT_GE(share[2], 0.08);
    EXPECT_LE(share[2], 0.35) << "a floor-2 fight is a fraction of a level";
    EXPECT_GE(level, 3.5);
    EXPECT_LE(level, 5.0);
    EXPECT_LE(lost * 20, Fights * TuningSeeds)
        << "a wiped-out party in one fight of twenty at most";
    for (size_t floor = 1; floor <= 2; ++floor)
        EXPECT_LE(fallen[floor] * 10, TuningSeeds * Fights / 2) << "one member down in ten fights";
}

TEST(DemoTuning, TheSameSeedFightsTheSameBattlesTwice) {
    auto game = LoadDemo();
    if (!game) GTEST_SKIP() << "the demo scenario is not built";
    const std::vector<int32_t> stock = game->Stock;
    const Campaign first = TwentyFights(*game, stock, 99);
    const std::vector<int32_t> kills = game->MonsterKillCount;
    std::fill(game->MonsterKillCount.begin(), game->MonsterKillCount.end(), 0);
    const Campaign second = TwentyFights(*game, stock, 99);
    EXPECT_TRUE(first == second);
    EXPECT_EQ(game->MonsterKillCount, kills);
    EXPECT_GT(first.Rounds, Fights);
    EXPECT_FALSE(TwentyFights(*game, stock, 100) == first) << "another seed, other battles";
}

}  // namespace
}  // namespace kv::testing
