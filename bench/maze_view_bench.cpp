// The maze view is redrawn on every key: one redraw in each style, and a
// step with everything that follows it (events, the automap, the redraw),
// on the demo's first floor with its own pictures.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "core/Database.h"
#include "core/ScriptedPlayer.h"
#include "dungeon/Events.h"
#include "dungeon/MazeView.h"
#include "dungeon/Movement.h"
#include "platform/null/NullPlatform.h"

namespace kv {
namespace {

struct MazeBench {
    std::unique_ptr<NullPlatform> platform;
    std::unique_ptr<GlyphCache> glyphs;
    MazeArt art;
    Game game;
    ScriptedPlayer player;
    // Each step redraws the view, as the maze screen does.
    struct ViewDisplay : NullGameDisplay {
        MazeBench* Bench = nullptr;
        void Redraw() override { Bench->Redraw(ViewStyle::Pictures); }
    } display;
    Image target{640, 480, 0};

    MazeBench() {
        std::string error;
        platform = CreateNullPlatform({}, error);
        glyphs = std::make_unique<GlyphCache>(platform->Fonts());
        art = LoadMazeArt(platform->Images(), KORVANE_DEMO_DIR);
        LoadDatabase(game, KORVANE_DEMO_DIR, false);
        game.MazeEvents = BuildEvents(game.Events);
        Creature& c = game.Roster[1];
        c.Id = 1;
        c.Name = "ロラン";
        c.HP = c.MaxHP = 40;
        game.PartyCount = 1;
        game.PartyList[1] = 1;
        // A corridor of the first floor, looking down its length.
        game.CurrentPlace = 21;
        game.CurrentFloor = 1;
        game.PartyX = 0;
        game.PartyY = 5;
        game.PartyFacing = 2;
        display.Bench = this;
        LoadFloor(game, display);
    }

    void Redraw(ViewStyle style) { DrawMazeView(target, *glyphs, game, art, style, true); }
};

void RedrawView(benchmark::State& state, ViewStyle style) {
    MazeBench bench;
    for (auto _ : state) {
        bench.Redraw(style);
        benchmark::DoNotOptimize(bench.target.Pixels.data());
    }
}
BENCHMARK_CAPTURE(RedrawView, Lines, ViewStyle::Lines)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RedrawView, Polygons, ViewStyle::Polygons)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RedrawView, Pictures, ViewStyle::Pictures)->Unit(benchmark::kMicrosecond);

// A step south and one back north along the corridor, each with its redraw
// in the picture style; no monsters interrupt.
void StepAndRedraw(benchmark::State& state) {
    MazeBench bench;
    for (auto _ : state) {
        bench.game.EncounterRate = 0;
        bench.game.EncounterBase = 0;
        bench.game.PartyFacing = 2;
        MoveParty(bench.game, bench.player, MoveKind::Step, bench.display);
        bench.game.PartyFacing = 0;
        MoveParty(bench.game, bench.player, MoveKind::Step, bench.display);
        benchmark::DoNotOptimize(bench.target.Pixels.data());
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(StepAndRedraw)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kv
