// Keys pressed at random through the whole demo: town, shop, temple,
// fortune teller, maze and battle. Whatever is pressed, the game keeps
// running, ends cleanly when the keys run out, and leaves a save that reads
// back whole. Under the sanitizers this walks every screen for memory faults.
#include <random>
#include <string>
#include <vector>

#include "flow/FlowHarness.h"

namespace kv::test {
namespace {

// Keys of every screen.
const std::vector<std::string> AnyKeys = {
    "Up", "Down", "Left", "Right", "Enter", "Enter", "Space", "Esc", "Backspace", "Ctrl", "A", "B",
    "C",  "D",    "E",    "F",     "G",     "H",     "I",     "J",   "K",         "L",    "M", "N",
    "O",  "P",    "Q",    "R",     "S",     "T",     "U",     "W",   "Y",         "1",    "2", "3"};
// Keys that walk the maze and fight its battles but never say yes to going
// home or suspend the trip.
const std::vector<std::string> MazeKeys = {"Up", "Up", "Up", "Up", "Left", "Right", "Down", "Space",
                                           "F",  "G",  "O",  "P",  "Esc",  "1",     "S"};

std::string Pick(std::mt19937& rng, const std::vector<std::string>& keys, int count) {
    std::uniform_int_distribution<size_t> pick(0, keys.size() - 1);
    std::string picked;
    for (int i = 0; i < count; ++i) picked += keys[pick(rng)] + " ";
    return picked;
}

// A party is formed; odd seeds take it into the maze for a walk first; then
// anything goes.
std::string RandomKeys(uint32_t seed) {
    std::mt19937 rng(seed);
    std::string keys = "Enter  G Enter  A Enter  Enter Enter  Esc  C Enter  ";
    if (seed % 2 == 1) keys += "E Enter  D Enter  Enter  " + Pick(rng, MazeKeys, 400);
    return keys + Pick(rng, AnyKeys, 800);
}

TEST(RandomKeysFlow, AnyKeysKeepTheGameWholeAndItsSaveReadable) {
    bool mazeSeen = false;
    bool battleSeen = false;
    for (uint32_t seed : {1u, 2u, 3u, 4u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Flow flow;
        if (!flow.LoadScenario(KORVANE_DEMO_DIR)) GTEST_SKIP() << flow.Error();
        ASSERT_TRUE(flow.Run(RandomKeys(seed), seed)) << flow.Error();
        const auto saved = flow.SavedGame();
        // Whoever is in a party stands where a party can stand.
        for (int slot = 1; slot < RosterRows; ++slot) {
            const Creature& c = saved->Roster[static_cast<size_t>(slot)];
            if (c.Name.empty()) continue;
            EXPECT_TRUE(c.Floor == 0 || (c.Floor >= 1 && c.Floor <= 21)) << c.Name;
            EXPECT_LE(c.PosX, 19) << c.Name;
            EXPECT_LE(c.PosY, 19) << c.Name;
            EXPECT_GE(c.HP, 0) << c.Name;
            EXPECT_LE(c.HP, c.MaxHP) << c.Name;
        }
        EXPECT_FALSE(flow.Lines("save").empty());
        mazeSeen = mazeSeen || !flow.Lines("where").empty();
        for (const nlohmann::json& line : flow.Lines("list")) {
            battleSeen = battleSeen || line["name"] == "lstBattleCommand";
        }
    }
    // Not a walk that stayed in town: the keys reached the maze and a fight.
    EXPECT_TRUE(mazeSeen);
    EXPECT_TRUE(battleSeen);
}

}  // namespace
}  // namespace kv::test
