// A battle chest on the built demo, by keys alone: the bandit in the
// informer's room attacks, is beaten, and leaves a chest; one run names its
// trap from the list and takes it off, the other opens it and springs it.
#include <string>
#include <vector>

#include "core/CommandMenus.h"
#include "flow/DemoFlow.h"

namespace kv::test {
namespace {

constexpr int BanditFlag = 42;
constexpr int TrapExperienceSkill = 103;
constexpr int MostRounds = 8;

std::string Spaces(int n) {
    std::string keys;
    for (int i = 0; i < n; ++i) keys += " Space";
    return keys + "  ";
}

// ロラン reads traps truly, takes a named one off surely and learns from it.
void PrepareDemoChest(Flow& flow, int& randomBattles) {
    ASSERT_TRUE(flow.LoadScenario(KORVANE_DEMO_DIR)) << flow.Error();
    Game& g = flow.Scenario();
    StrongParty(g);
    for (Skill skill : {Skill::ChestInspection, Skill::TrueInspection, Skill::SureDisarm})
        g.Roster[1].Skills[SkillIndex(skill)] = 1;
    g.Roster[1].Skills[TrapExperienceSkill] = 1;
    EscapeRandomBattles(flow, randomBattles);
}

// In, past the informer (left at once), into his room, where the bandit
// waits; the fight on the automatic command, its messages read with Space,
// which the chest list ignores. The seed's dice win it and leave a chest.
std::string ToTheChest(int rounds) {
    Keys keys(FormAndEnter, South);
    keys.Walk("S").Press("Enter");
    keys.Walk("S2 E").Press("L Enter");
    keys.Walk("E* S");
    for (int round = 0; round < rounds; ++round) keys.Press("O" + Spaces(40));
    return keys.Text();
}

// The chest's trap, as the chest left by the fight holds it: its row among
// the names the disarm list shows.
int TrapRow(const Game& g) {
    int row = 0;
    for (size_t i = 1; i < g.Traps.size(); ++i) {
        if (g.Traps[i].TrapName.empty()) continue;
        if (g.Traps[i].TrapName == g.ChestTrap.TrapName) return row;
        ++row;
    }
    return -1;
}

class DemoChestFlow : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!fs::exists(fs::path(KORVANE_DEMO_DIR) / "KVR4.DAT")) {
            GTEST_SKIP() << "no demo in " << KORVANE_DEMO_DIR;
        }
        // As many rounds as the fight lasts: a command more would fall on
        // the chest list.
        for (rounds_ = 1; rounds_ <= MostRounds; ++rounds_) {
            Flow probe;
            int randomBattles = 0;
            PrepareDemoChest(probe, randomBattles);
            ASSERT_TRUE(probe.Run(ToTheChest(rounds_), Seed)) << probe.Error();
            if (probe.State().ScreenState != ScreenStates::Chest) continue;
            trap_ = probe.State().ChestTrap;
            trapRow_ = TrapRow(probe.State());
            break;
        }
        ASSERT_LE(rounds_, MostRounds) << "the fight left no chest";
        ASSERT_GE(trapRow_, 0);
        PrepareDemoChest(flow_, randomBattles_);
    }

    void Play(const std::string& chestKeys) {
        ASSERT_TRUE(flow_.Run(ToTheChest(rounds_) + chestKeys, Seed)) << flow_.Error();
        dialogs_ = flow_.Dialogs();
        EXPECT_EQ(Count(dialogs_, "金目の物を置いていけ！"), 1u);  // the bandit, once
        EXPECT_EQ(Count(dialogs_, "モンスターは宝箱を持っていた"), 1u);
        EXPECT_EQ(flow_.State().ScreenState, ScreenStates::Map);
    }

    // Every find of the chest: "ロランは\n…を手に入れた" and the like.
    size_t Finds() const {
        size_t n = 0;
        bool afterChest = false;
        for (const std::string& text : dialogs_) {
            afterChest = afterChest || text == "モンスターは宝箱を持っていた";
            if (afterChest && text.ends_with("を手に入れた")) ++n;
        }
        return n;
    }

    static constexpr uint64_t Seed = 1;
    Flow flow_;
    int randomBattles_ = 0;
    TrapDef trap_;
    int trapRow_ = -1;
    int rounds_ = 0;
    std::vector<std::string> dialogs_;
};

TEST_F(DemoChestFlow, TheBanditsChestDisarmedByNameAndOpened) {
    const double expBefore = flow_.Scenario().Roster[1].Exp;
    std::string keys = "P 1";
    for (int i = 0; i < trapRow_; ++i) keys += " Down";
    Play(keys + " Enter" + Reads(8));

    EXPECT_EQ(Count(dialogs_, "罠を外した"), 1u);
    EXPECT_EQ(Count(dialogs_, "罠に引っかかった！"), 0u);
    EXPECT_GE(Finds(), 1u);
    const auto saved = flow_.SavedGame();
    EXPECT_EQ(saved->EventFlags[BanditFlag], 1);
    EXPECT_EQ(saved->Roster[1].Victories, 1);
    // The fight's share and 25 for every point of the trap's factor, over
    // what シーラ, who disarmed nothing, earned.
    EXPECT_EQ(saved->Roster[1].Exp - expBefore,
              saved->Roster[2].Exp - flow_.Scenario().Roster[2].Exp + 25.0 * trap_.TrapExpFactor);
}

TEST_F(DemoChestFlow, TheBanditsChestOpenedAndSprung) {
    Play("O 1" + Reads(8));

    EXPECT_EQ(Count(dialogs_, "罠を外した"), 0u);
    EXPECT_EQ(Count(dialogs_, "罠に引っかかった！"), 1u);
    EXPECT_EQ(Count(dialogs_, "おおっと！！　" + trap_.TrapMessage), 1u);
    EXPECT_GE(Finds(), 1u);
    const auto saved = flow_.SavedGame();
    EXPECT_EQ(saved->EventFlags[BanditFlag], 1);
    EXPECT_EQ(saved->Roster[1].Exp - flow_.Scenario().Roster[1].Exp,
              saved->Roster[2].Exp - flow_.Scenario().Roster[2].Exp);
}

}  // namespace
}  // namespace kv::test
