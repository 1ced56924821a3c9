// The training grounds played by keys alone, each change read back from the save.
#include <string>

#include "core/CommandMenus.h"
#include "flow/FlowHarness.h"

namespace kv::test {
namespace {

// Title, edge of town, training grounds.
constexpr std::string_view ToTraining = "Enter  E Enter  T Enter  ";

// Every one of the eight statistics raised as far as it goes: all points spent.
std::string SpendAllPoints() {
    std::string keys;
    for (int row = 0; row < 8; ++row) {
        for (int i = 0; i < 12; ++i) keys += "Right ";
        keys += "Down ";
    }
    return keys;
}

void TrainingCharacter(Flow& flow, int slot, const std::string& name) {
    Creature& c = flow.Scenario().Roster[static_cast<size_t>(slot)];
    c.Id = slot;
    c.Name = name;
    c.Race = 1;
    c.Class = 1;
    c.Sex = 1;
    c.Alignment = 1;
    c.Level = 3;
    c.HP = c.MaxHP = 20;
    c.Str = c.IQ = c.Piety = c.Vitality = c.Dexterity = c.Agility = c.Luck = c.Charm = 17;
}

TEST(TrainingFlow, ACharacterIsMadeStepByStepAndSaved) {
    Flow flow;
    // C, the name, 人間, 秩序, 男, every point spent, the first class, はい.
    ASSERT_TRUE(flow.Run(std::string(ToTraining) + "C Enter \"アリア\" Enter  Enter Enter Enter " +
                         SpendAllPoints() + "Enter Enter  Enter"))
        << flow.Error();
    const auto saved = flow.SavedGame();
    const Creature& c = saved->Roster[1];
    EXPECT_EQ(c.Id, 1);
    EXPECT_EQ(c.Name, "アリア");
    EXPECT_EQ(c.Race, 1);
    EXPECT_EQ(c.Alignment, 1);
    EXPECT_EQ(c.Sex, 1);
    EXPECT_EQ(c.Class, 1);
    EXPECT_EQ(c.Level, 1);
    EXPECT_GT(c.MaxHP, 0);
    EXPECT_EQ(c.HP, c.MaxHP);
    // A man of the human race starts from 9 8 6 9 9 7 7 7; every bonus point
    // the screen first offered went into the statistics.
    int bonus = -1;
    for (const nlohmann::json& line : flow.Lines("list")) {
        if (line["name"] == "lstStatus" && bonus < 0) {
            bonus = std::stoi(
                line["caption"].get<std::string>().substr(std::string("ボーナス ").size()));
        }
    }
    ASSERT_GE(bonus, 5);
    EXPECT_EQ(c.Str + c.IQ + c.Piety + c.Vitality + c.Dexterity + c.Agility + c.Luck + c.Charm,
              62 + bonus);
    EXPECT_EQ(flow.State().MenuState, MenuStates::TrainingGrounds);
    // The steps were shown as lists, the confirmation last.
    std::vector<std::string> captions;
    for (const nlohmann::json& line : flow.Lines("list")) {
        if (line["name"] == "lstMaking") captions.push_back(line["caption"]);
    }
    EXPECT_EQ(captions,
              (std::vector<std::string>{"種族を選んでください", "属性を選んでください",
                                        "性別を選んでください", "このキャラクターを使いますか？"}));
}

TEST(TrainingFlow, ANameGivenTwiceShowsItsOwnerAndMakesNobody) {
    Flow flow;
    TrainingCharacter(flow, 1, "アリア");
    ASSERT_TRUE(flow.Run(std::string(ToTraining) + "C Enter \"アリア\" Enter  Enter"))
        << flow.Error();
    EXPECT_EQ(flow.State().Roster[2].Id, 0);
    // The status window opened on アリア: its command list is captioned with her name.
    bool shown = false;
    for (const nlohmann::json& line : flow.Lines("list")) {
        shown = shown || line["caption"] == "アリア";
    }
    EXPECT_TRUE(shown);
}

TEST(TrainingFlow, RenameChangeClassMoveAndDelete) {
    Flow flow;
    TrainingCharacter(flow, 1, "アリア");
    TrainingCharacter(flow, 2, "ベル");
    TrainingCharacter(flow, 3, "カイ");
    // N: rename the first to ダン. G: the first changes to the second class offered, yes.
    // R: the third moves to the top. D: the second listed is deleted, yes.
    ASSERT_TRUE(flow.Run(std::string(ToTraining) +
                         "N Enter  Enter \"ダン\" Enter  "
                         "G Enter  Enter  Down Enter  Y  Enter  "
                         "R Enter  Down Down Enter  Enter  Home Enter  Esc  "
                         "D Enter  Down Enter  Y"))
        << flow.Error();
    const auto saved = flow.SavedGame();
    // After the move: カイ, ダン, ベル; then the second (ダン) was deleted.
    EXPECT_EQ(saved->Roster[1].Name, "カイ");
    EXPECT_EQ(saved->Roster[2].Id, 0);
    EXPECT_EQ(saved->Roster[3].Name, "ベル");
    EXPECT_EQ(saved->Roster[3].Id, 3);
    const std::vector<std::string> dialogs = flow.Dialogs();
    EXPECT_NE(std::find(dialogs.begin(), dialogs.end(), "ダンを削除します　よいですか？"),
              dialogs.end());
    bool changed = false;
    for (const std::string& text : dialogs) changed = changed || text.ends_with("に転職しました");
    EXPECT_TRUE(changed);
}

TEST(TrainingFlow, ARenamedOrChangedCharacterIsInTheSave) {
    Flow flow;
    TrainingCharacter(flow, 1, "アリア");
    ASSERT_TRUE(flow.Run(std::string(ToTraining) +
                         "N Enter  Enter \"ダン\" Enter  G Enter  Enter  Down Enter  Y  Enter"))
        << flow.Error();
    const auto saved = flow.SavedGame();
    const Creature& c = saved->Roster[1];
    EXPECT_EQ(c.Name, "ダン");
    EXPECT_NE(c.Class, 1);
    EXPECT_EQ(c.Level, 1);
    EXPECT_EQ(c.Exp, 0);
}

}  // namespace
}  // namespace kv::test
