// Start-up reads about 5 MB of database files; every save point writes the
// 400 KB save. These measure both, in memory and through the disk.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "core/Database.h"
#include "core/SaveFile.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

fs::path BenchFolder() {
    fs::path folder = fs::temp_directory_path() / "korvane-bench-data";
    fs::create_directories(folder);
    return folder;
}

void WriteDatabase(const fs::path& folder) {
    auto db = std::make_unique<Database>();
    for (size_t i = 1; i < db->Monsters.size(); ++i) db->Monsters[i].Id = static_cast<int32_t>(i);
    for (const DatabaseFile& file : DatabaseFiles()) {
        Serializer s = Serializer::Saving();
        file.Sync(s, *db);
        std::ofstream(folder / file.Name, std::ios::binary) << s.Output();
    }
}

void BM_LoadDatabase(benchmark::State& state) {
    const fs::path folder = BenchFolder();
    WriteDatabase(folder);
    auto game = std::make_unique<Game>();
    for (auto _ : state) {
        DatabaseReport report = LoadDatabase(*game, folder, false);
        benchmark::DoNotOptimize(report);
    }
}
BENCHMARK(BM_LoadDatabase)->Unit(benchmark::kMillisecond);

void BM_SaveBytes(benchmark::State& state) {
    auto game = std::make_unique<Game>();
    for (int slot = 1; slot <= 50; ++slot) game->Roster[slot].Name = "ぼうけんしゃ";
    for (auto _ : state) benchmark::DoNotOptimize(SaveBytes(*game));
}
BENCHMARK(BM_SaveBytes)->Unit(benchmark::kMicrosecond);

void BM_SaveGameToDisk(benchmark::State& state) {
    auto game = std::make_unique<Game>();
    game->SaveFolder = BenchFolder();
    for (auto _ : state) benchmark::DoNotOptimize(SaveGame(*game, 0));
}
BENCHMARK(BM_SaveGameToDisk)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kv
