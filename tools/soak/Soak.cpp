// korvane-soak: plays the demo headless for hours in a few seconds each run.
// Seeded random keys, weighted towards play (walking, fighting, the camp, the
// shop), go to the real session on the null platform in runs of a few
// thousand; the save is carried from run to run (a new game replaces it when
// the roster can no longer reach the maze). After each run the save must
// read back whole and its invariants hold; the first run that breaks one is
// kept (its keys and transcript) for replaying, and the soak stops.
#include <CLI/CLI.hpp>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "app/Session.h"
#include "core/AtomicFile.h"
#include "core/PerUserStore.h"
#include "core/SaveFile.h"
#include "core/Transcript.h"
#include "platform/KeyScript.h"
#include "platform/null/NullPlatform.h"
#include "soak/SoakChecks.h"
#include "ui/WindowManager.h"

namespace fs = std::filesystem;
using namespace kv;

namespace {

struct Weighted {
    const char* Key;
    int Weight;
};

// What a run plays: each starts on the castle menu and heads somewhere first.
struct Mode {
    const char* Start;  // the keys that lead there from the castle
    int Weight;
    std::vector<Weighted> Keys;
};

// In the maze arrows walk, F searches and fights, Enter confirms the fight's
// commands, letters pick them (and the camp's rows), Esc opens the camp.
const std::vector<Weighted> MazeKeys = {
    {"Up", 30}, {"Left", 8}, {"Right", 8}, {"Down", 4}, {"Enter", 14}, {"Space", 2},
    {"F", 6},   {"P", 2},    {"D", 1},     {"R", 1},    {"S", 1},      {"U", 1},
    {"A", 2},   {"Esc", 3},  {"C", 1},     {"I", 1},    {"N", 1},      {"Ctrl", 1},
};
// The shop: buying and selling through its lists.
const std::vector<Weighted> ShopKeys = {
    {"B", 6}, {"S", 4}, {"Up", 6}, {"Down", 8}, {"Enter", 14}, {"Esc", 4}, {"D", 1}, {"I", 1},
    {"P", 1}, {"L", 1}, {"1", 2},  {"2", 2},    {"3", 1},      {"Y", 2},   {"N", 1}, {"Ctrl", 1},
};
// Anything at all, everywhere.
const std::vector<Weighted> AnyKeys = {
    {"Up", 6}, {"Down", 6}, {"Left", 3}, {"Right", 3}, {"Enter", 10},    {"Space", 2}, {"Esc", 5},
    {"A", 1},  {"B", 1},    {"C", 2},    {"D", 1},     {"E", 2},         {"F", 1},     {"G", 1},
    {"H", 1},  {"I", 1},    {"K", 1},    {"L", 1},     {"M", 1},         {"N", 1},     {"O", 1},
    {"P", 1},  {"Q", 1},    {"R", 1},    {"S", 1},     {"T", 2},         {"U", 1},     {"W", 1},
    {"Y", 1},  {"1", 1},    {"2", 1},    {"Ctrl", 1},  {"Backspace", 1},
};

const std::vector<Mode> Modes = {
    // The edge of town: back to a party left in the maze, or (that failing)
    // into the maze with the party just formed.
    {"E Enter  O Enter  Enter  D Enter  Enter  ", 60, MazeKeys},
    {"M Enter  ", 15, ShopKeys},  // the shop
    {"", 25, AnyKeys},            // the town's places, the training grounds
};

std::string RandomKeys(std::mt19937& rng, const std::vector<Weighted>& keys, int count) {
    std::vector<int> weights;
    for (const Weighted& k : keys) weights.push_back(k.Weight);
    std::discrete_distribution<size_t> pick(weights.begin(), weights.end());
    std::string text;
    for (int i = 0; i < count; ++i) text += std::string(keys[pick(rng)].Key) + " ";
    return text;
}

// The title, a party formed at the tavern (keys that do little once one
// stands), then one mode's keys.
std::string RunKeys(std::mt19937& rng, int count) {
    std::vector<int> weights;
    for (const Mode& m : Modes) weights.push_back(m.Weight);
    const Mode& mode =
        Modes[std::discrete_distribution<size_t>(weights.begin(), weights.end())(rng)];
    return std::string("Enter  G Enter  A Enter  Enter Enter  Esc  C Enter  ") + mode.Start +
           RandomKeys(rng, mode.Keys, count);
}

// One run of the game over keys; false when the game would not start.
bool PlayRun(const fs::path& data, const fs::path& work, const std::string& keys, uint64_t seed,
             std::string& error) {
    KeyScript script = ParseKeyScript(keys);
    if (!script.Error.empty()) {
        error = "the soak's keys do not parse: " + script.Error;
        return false;
    }
    std::unique_ptr<NullPlatform> platform = CreateNullPlatform(std::move(script.Steps), error);
    if (!platform) return false;
    Transcript transcript;
    transcript.Open((work / "transcript.jsonl").string());
    Game game;
    game.DataFolder = data;
    game.SaveFolder = work / "save";
    game.Rng.Seed(seed);
    WindowManager windows(*platform, transcript);
    PerUserStore store(work / "config");
    std::ostringstream errors;
    Session session(windows, game, store, errors);
    const bool started = session.StartUp();
    if (started) session.Run();
    transcript.Close();
    if (!started) error = "the game did not start: " + errors.str();
    return started;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"korvane-soak: plays a scenario headless with random keys and checks its save"};
    fs::path data = KORVANE_DEMO_DIR;
    fs::path work = fs::temp_directory_path() / "korvane-soak";
    long total = 1'000'000;
    int perRun = 4000;
    uint64_t seed = 1;
    app.add_option("--data", data, "the scenario folder (the demo by default)");
    app.add_option("--work", work, "where the save, the config and a failed run's keys go");
    app.add_option("--keys", total, "keys in all");
    app.add_option("--run", perRun, "keys in each run")->check(CLI::Range(100, 1'000'000));
    app.add_option("--seed", seed, "the first run's seed");
    CLI11_PARSE(app, argc, argv);

    fs::remove_all(work);
    fs::create_directories(work / "save");
    fs::create_directories(work / "config");
    std::mt19937 rng(static_cast<uint32_t>(seed));
    long pressed = 0;
    int mazeRuns = 0;
    int battleRuns = 0;
    int runs = 0;
    int freshStarts = 0;
    int runsInTown = 0;  // runs in a row that never reached the maze
    for (int run = 1; pressed < total; ++run) {
        const int count = static_cast<int>(std::min<long>(perRun, total - pressed));
        const std::string keys = RunKeys(rng, count);
        std::string error;
        if (!PlayRun(data, work, keys, seed + static_cast<uint64_t>(run), error)) {
            std::cerr << "run " << run << ": " << error << "\n";
            return 2;
        }
        pressed += count;
        runs = run;
        // How far the keys reached: the soak is worth what it plays.
        std::string readError;
        const std::string transcript =
            ReadFileBytes(work / "transcript.jsonl", readError).value_or("");
        if (transcript.find("\"t\":\"where\"") != std::string::npos) {
            ++mazeRuns;
            runsInTown = 0;
        } else {
            ++runsInTown;
        }
        if (transcript.find("lstBattleCommand") != std::string::npos) ++battleRuns;

        const std::optional<std::string> bytes =
            ReadFileBytes(work / "save" / SaveFileName, readError);
        Game saved;
        std::vector<std::string> broken;
        if (!bytes) {
            broken.push_back("the save cannot be read: " + readError);
        } else if (!LoadSaveBytes(saved, *bytes) || bytes->size() < SaveFileSize) {
            broken.push_back("the save is short: " + std::to_string(bytes->size()) + " bytes");
        } else {
            broken = soak::BrokenInvariants(saved);
        }
        if (!broken.empty()) {
            std::ofstream(work / "failed-run.keys") << keys << "\n";
            std::cerr << "run " << run << " (seed " << seed + static_cast<uint64_t>(run)
                      << ") broke the save after " << pressed << " keys:\n";
            for (const std::string& line : broken) std::cerr << "  " << line << "\n";
            std::cerr << "its keys: " << (work / "failed-run.keys").string()
                      << "; its transcript: " << (work / "transcript.jsonl").string() << "\n";
            return 1;
        }
        // A roster that can no longer reach the maze (the demo's few
        // characters dead or lost) is replaced by the scenario's new game.
        if (runsInTown >= 2) {
            fs::remove(work / "save" / SaveFileName);
            ++freshStarts;
            runsInTown = 0;
        }
        if (run % 25 == 0) std::cout << pressed << " keys, " << run << " runs: the save holds\n";
    }
    std::cout << "soak: " << pressed << " keys in " << runs << " runs (" << mazeRuns
              << " reached the maze, " << battleRuns << " fought, " << freshStarts
              << " new games after a party was lost); every save read back whole and held\n";
    return 0;
}
