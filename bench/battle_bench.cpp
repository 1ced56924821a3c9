// Many seeded battles of the demo's monsters against a fixed party of six,
// with the automatic command and the messages collected unseen: how many
// battles and rounds the rules run per second.
#include <benchmark/benchmark.h>

#include <memory>

#include "battle/BattleRules.h"
#include "core/Database.h"
#include "core/ScriptedPlayer.h"

namespace kv {
namespace {

void MakeParty(Game& game) {
    game.PartyCount = 0;
    for (int slot = 1; slot <= 6; ++slot) {
        Creature& c = game.Roster[static_cast<size_t>(slot)];
        c = Creature{};
        c.Id = slot;
        c.Name = "戦士";
        c.Class = 1;
        c.Race = 1;
        c.Sex = 1;
        c.Alignment = 2;
        c.Level = 5;
        c.MaxHP = c.HP = 45;
        c.AttackCount = 2;
        c.BaseAC = c.AC = 5;
        c.Str = c.IQ = c.Piety = c.Vitality = c.Dexterity = c.Agility = c.Charm = c.Luck = 15;
        c.DamageRate.fill(100);
        c.PartyPos = static_cast<uint8_t>(slot);
        game.PartyList[static_cast<size_t>(slot)] = static_cast<int16_t>(slot);
        ++game.PartyCount;
    }
}

void BM_Battles(benchmark::State& state) {
    auto game = std::make_unique<Game>();
    const DatabaseReport report = LoadDatabase(*game, KORVANE_DEMO_DIR, false);
    if (!report.Ok()) {
        state.SkipWithError("the demo scenario is not built");
        return;
    }
    ScriptedPlayer player;
    player.Keep = false;
    NullGameDisplay display;
    game->CurrentPlace = 21;
    int64_t battles = 0;
    int64_t rounds = 0;
    uint64_t seed = 1;
    for (auto _ : state) {
        MakeParty(*game);
        // Every floor of the first maze in turn.
        // A party that fell was brought home: back into the first maze.
        game->CurrentPlace = 21;
        game->CurrentFloor = static_cast<int16_t>(1 + seed % 3);
        game->Rng.Seed(seed++);
        BattleEnd end = StartBattle(*game, player, display, 0);
        while (end == BattleEnd::Ongoing && game->Battle.RoundNo < 100) {
            AutoCommands(*game);
            end = StartRound(*game, player, display);
        }
        ++battles;
        rounds += game->Battle.RoundNo;
    }
    state.counters["battles/s"] =
        benchmark::Counter(static_cast<double>(battles), benchmark::Counter::kIsRate);
    state.counters["rounds/s"] =
        benchmark::Counter(static_cast<double>(rounds), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Battles);

}  // namespace
}  // namespace kv
