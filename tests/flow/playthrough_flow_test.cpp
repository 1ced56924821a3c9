// The demo played from a new game to its ending by one key script: six
// characters (four made at the training grounds) formed in the tavern, each
// dressed at the shop with his own gold, fights, nights at the inn and the
// priest's healing in camp until the levels come, spells cast in battle,
// the riddle, better gear, the silver door, the empress and home with her
// crown. The script is written by tools/playthrough; its
// comments say where the party is.
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/StringTable.h"
#include "flow/DemoFlow.h"

namespace kv::test {
namespace {

constexpr int StoryDoneFlag = 23;
constexpr int EmpressBeatenFlag = 40;

std::string PlaythroughKeys() {
    std::ifstream in(fs::path(KORVANE_TEST_DATA) / "playthrough.keys", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The transcript without the save lines' file names, which name each flow's
// own folder.
std::vector<nlohmann::json> Comparable(const Flow& flow) {
    std::vector<nlohmann::json> lines = flow.Lines();
    for (nlohmann::json& line : lines) line.erase("file");
    return lines;
}

bool Holds(const Creature& c, int item) {
    for (const InventorySlot& slot : c.Items)
        if (slot.ItemId == item) return true;
    return false;
}

class PlaythroughFlow : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!fs::exists(fs::path(KORVANE_DEMO_DIR) / "KVR4.DAT")) {
            GTEST_SKIP() << "no demo in " << KORVANE_DEMO_DIR;
        }
        keys_ = PlaythroughKeys();
        ASSERT_FALSE(keys_.empty()) << "no playthrough.keys in " << KORVANE_TEST_DATA;
    }

    void Play(Flow& flow) {
        ASSERT_TRUE(flow.LoadScenario(KORVANE_DEMO_DIR)) << flow.Error();
        ASSERT_TRUE(flow.Run(keys_)) << flow.Error();
    }

    std::string keys_;
};

// The script is long, so one test plays it twice: the first play is
// checked, the second only compared with it.
TEST_F(PlaythroughFlow, ANewGameIsPlayedToTheEndingAndReplaysTheSame) {
    Flow flow;
    Play(flow);
    const auto saved = flow.SavedGame();
    ASSERT_TRUE(saved);
    // Four characters made at the training grounds set out with the two of
    // the new game; the casters cast in battle and in camp; levels were
    // earned by fighting and raised at the inn.
    std::vector<std::string> names;
    for (int slot = 1; slot <= 6; ++slot)
        names.push_back(saved->Roster[static_cast<size_t>(slot)].Name);
    EXPECT_EQ(names,
              (std::vector<std::string>{"ロラン", "シーラ", "ガイ", "ダン", "セト", "ミナ"}));
    int battleSpells = 0;
    int campSpells = 0;
    for (const std::string& text : flow.Dialogs()) {
        battleSpells += text.find("の呪文を唱えた") != std::string::npos ? 1 : 0;
        campSpells += text.find("ポイント回復した\n") != std::string::npos ? 1 : 0;
    }
    EXPECT_GT(battleSpells, 0);
    EXPECT_GT(campSpells, 0);
    EXPECT_GT(saved->Roster[3].Level, 1);

    // The autopilot marks a script that could not reach the ending, and where
    // it stalled; the script is remade whenever the demo changes.
    const size_t stalled = keys_.find("# stalled: ");
    EXPECT_EQ(stalled, std::string::npos)
        << keys_.substr(stalled, keys_.find('\n', stalled) - stalled);
    // The ending's six texts, in order, once.
    std::vector<std::string> ending;
    for (const std::string& text : flow.Dialogs()) {
        for (int i = 0; i < 6; ++i)
            if (text == ResString(Str::EndingFirst, i)) ending.push_back(text);
    }
    std::vector<std::string> expected;
    for (int i = 0; i < 6; ++i) expected.emplace_back(ResString(Str::EndingFirst, i));
    EXPECT_EQ(ending, expected);

    // The save: the story's flag cleared again, the empress beaten, every
    // member of the party with the first insignia, the crown carried home.
    EXPECT_EQ(saved->EventFlags[StoryDoneFlag], 0);
    EXPECT_EQ(saved->EventFlags[EmpressBeatenFlag], 1);
    const Game& g = flow.State();
    ASSERT_GE(g.PartyCount, 1);
    bool crown = false;
    for (int i = 1; i <= g.PartyCount; ++i) {
        const Creature& member =
            saved->Roster[static_cast<size_t>(g.PartyList[static_cast<size_t>(i)])];
        EXPECT_EQ(member.Insignia[1], 1) << member.Name;
        crown = crown || Holds(member, Crown);
    }
    EXPECT_TRUE(crown);

    Flow again;
    Play(again);
    EXPECT_EQ(Comparable(again), Comparable(flow));
}

}  // namespace
}  // namespace kv::test
