// Battles played by keys through the real session: commands for every
// member, a win paid into the save, a flight and a wipe-out. Until the maze
// is walked by keys, a door on the castle (F9) sets the party down on the
// first floor and asks the battle screen for the encounter.
#include <string>
#include <vector>

#include "battle/BattleFixture.h"
#include "core/CommandMenus.h"
#include "core/PartyPanel.h"
#include "flow/FlowHarness.h"
#include "platform/Keys.h"
#include "town/CastleScreen.h"

namespace kv::test {
namespace {

using namespace kv::testing;

constexpr int PixieId = 3;
constexpr int PixieEncounter = 7;

// The castle as it is, with a door into a battle.
class BattleDoor : public Screen {
  public:
    BattleDoor(ScreenContext& context, Screen& castle, int encounter)
        : context_(context), castle_(castle), encounter_(encounter) {}
    void Enter() override { castle_.Enter(); }
    void Leave() override { castle_.Leave(); }
    void CarryOut(int row) override { castle_.CarryOut(row); }
    bool KeyDown(int keyCode, int shift) override {
        if (keyCode != Key::F1 + 8) return castle_.KeyDown(keyCode, shift);
        Game& game = context_.TheGame;
        game.CurrentPlace = 21;
        game.CurrentFloor = 1;
        game.PartyX = game.LastX = 5;
        game.PartyY = 6;
        game.LastY = 5;
        for (int slot = 1; slot <= 4; ++slot) {
            Creature& c = game.Roster[static_cast<size_t>(slot)];
            c.Place = 21;
            c.Floor = 1;
            c.PartyNo = static_cast<uint8_t>(game.CurrentPartyNo);
            c.PartyPos = static_cast<uint8_t>(slot);
        }
        RebuildPartyList(game);
        context_.StartBattle(encounter_);
        return true;
    }

  private:
    ScreenContext& context_;
    Screen& castle_;
    int encounter_;
};

// Four fighters of the battle fixture against small groups; Kai can hide.
// The way each battle ended is written into ends.
void Prepare(Flow& flow, std::vector<BattleEnd>& ends, int encounter) {
    BattleFixture fixture;
    Game& scenario = flow.Scenario();
    scenario.Items = fixture.G().Items;
    scenario.Monsters = fixture.G().Monsters;
    scenario.EncounterTable = fixture.G().EncounterTable;
    // Pixies: one hit point each, two groups of two.
    Creature pixie = BattleFixture::Monster(PixieId, "ピクシー", 0, 0);
    pixie.HPDice = {0, 0, 1};
    pixie.GroupDice = {0, 0, 2};
    pixie.Agility = 1;
    scenario.Monsters[PixieId] = pixie;
    auto cell = [&](int column, int row) -> int16_t& {
        return scenario.EncounterTable[static_cast<size_t>(column * 2001 + row)];
    };
    cell(0, 3) = PixieEncounter;
    cell(3, 3) = PixieId;
    cell(4, 3) = PixieId;
    for (int slot = 1; slot <= 4; ++slot) {
        scenario.Roster[static_cast<size_t>(slot)] = fixture.G().Roster[static_cast<size_t>(slot)];
        scenario.Roster[static_cast<size_t>(slot)].PartyPos = 0;
    }
    scenario.Roster[3].Skills[4] = 1;  // hides
    flow.OnStarted = [&ends, encounter](Session& session) {
        ScreenContext& context = session.Screens();
        Screen* castle = session.Main().ScreenFor(MenuStates::Castle);
        context.Install<BattleDoor>(MenuStates::Castle, context, *castle, encounter);
        context.BattleOver = [&context, &ends](BattleEnd end) {
            ends.push_back(end);
            if (end == BattleEnd::Defeat)
                ReturnToCastle(context);
            else
                ShowCastle(context);
        };
    };
}

// Enough presses to read every message of a short battle; a space does
// nothing on the command lists or the castle.
std::string Spaces(int n) {
    std::string keys;
    for (int i = 0; i < n; ++i) keys += " Space";
    return keys;
}

std::vector<nlohmann::json> ListLines(const Flow& flow, std::string_view name) {
    std::vector<nlohmann::json> lines;
    for (const nlohmann::json& line : flow.Lines("list"))
        if (line["name"] == name) lines.push_back(line);
    return lines;
}

TEST(BattleScreenFlow, EveryMemberGivesACommandAndTheWinIsPaidIntoTheSave) {
    Flow flow;
    std::vector<BattleEnd> ends;
    Prepare(flow, ends, PixieEncounter);
    // Aki fights the second group, Bob parries, Kai hides, Dan (in the back
    // row with a short sword) has no fight to offer and parries; then the
    // round starts. The rounds after it are fought by the automatic command.
    std::string keys = "Enter  F9 Space  F Down Enter  P  H  P  G" + Spaces(20);
    for (int round = 0; round < 4; ++round) keys += "  O" + Spaces(20);
    ASSERT_TRUE(flow.Run(keys)) << flow.Error();
    ASSERT_EQ(ends, std::vector<BattleEnd>{BattleEnd::Victory});
    EXPECT_EQ(flow.State().ScreenState, 0) << "the keys are the maze's again";
    const std::vector<nlohmann::json> commands = ListLines(flow, "lstBattleCommand");
    ASSERT_GE(commands.size(), 5u);
    EXPECT_EQ(commands[0]["caption"], "アキ");
    EXPECT_EQ(commands[0]["rows"][0], "F)戦う");
    EXPECT_EQ(commands[0]["rows"].back(), "O)ノーマルオート");
    EXPECT_EQ(commands[1]["caption"], "ボブ");
    EXPECT_EQ(commands[1]["rows"].back(), "B)戻る");
    EXPECT_EQ(commands[2]["caption"], "カイ");
    EXPECT_EQ(commands[2]["rows"][2], "H)隠れる");
    EXPECT_EQ(commands[3]["rows"][0], "P)身を守る");
    EXPECT_EQ(commands[4]["rows"][0], "G)戦闘開始");
    const std::vector<nlohmann::json> monsters = ListLines(flow, "lstMonster");
    ASSERT_FALSE(monsters.empty());
    EXPECT_EQ(monsters[0]["rows"].size(), 2u);

    const auto saved = flow.SavedGame();
    double exp = 0;
    double gold = 0;
    for (int slot = 1; slot <= 4; ++slot) {
        exp += saved->Roster[static_cast<size_t>(slot)].Exp;
        gold += saved->Roster[static_cast<size_t>(slot)].Gold;
        EXPECT_EQ(saved->Roster[static_cast<size_t>(slot)].Victories, 1);
    }
    // Four pixies of 30 experience and 25 gold, shared by four.
    EXPECT_EQ(exp, 120);
    EXPECT_EQ(gold, 100);
    EXPECT_EQ(saved->MonsterKillCount[PixieId], 4);
}

TEST(BattleScreenFlow, ANewLeaderRunsAndThePartyIsBackOnTheSquareItCameFrom) {
    Flow flow;
    std::vector<BattleEnd> ends;
    Prepare(flow, ends, OgreEncounter);
    flow.Scenario().Roster[2].Skills[8] = 1;  // always gets away
    // Aki steps back behind Bob in the reorder panel; Bob, now leading, runs.
    ASSERT_TRUE(flow.Run("Enter  F9 Space  E B Enter  R" + Spaces(10))) << flow.Error();
    ASSERT_EQ(ends, std::vector<BattleEnd>{BattleEnd::Escaped});
    const std::vector<nlohmann::json> commands = ListLines(flow, "lstBattleCommand");
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0]["caption"], "アキ");
    EXPECT_EQ(commands[1]["caption"], "ボブ");
    EXPECT_EQ(flow.State().PartyY, 5);
    EXPECT_EQ(flow.SavedGame()->Roster[1].Escapes, 1);
}

TEST(BattleScreenFlow, AWipedOutPartyGoesHomeAndIsSavedWhereItFell) {
    Flow flow;
    std::vector<BattleEnd> ends;
    Prepare(flow, ends, OgreEncounter);
    Creature& ogre = flow.Scenario().Monsters[OgreId];
    ogre.DamageDice = {1, 1, 500};
    ogre.AttackCount = 1;
    ogre.HPDice = {0, 0, 5000};
    ogre.GroupDice = {0, 0, 4};
    ogre.Agility = ogre.Luck = 40;
    std::string keys = "Enter  F9 Space";
    for (int round = 0; round < 3; ++round) keys += "  O" + Spaces(30);
    ASSERT_TRUE(flow.Run(keys)) << flow.Error();
    ASSERT_EQ(ends, std::vector<BattleEnd>{BattleEnd::Defeat});
    const std::vector<std::string> dialogs = flow.Dialogs();
    EXPECT_NE(std::find(dialogs.begin(), dialogs.end(), "パーティーは全滅した"), dialogs.end());
    EXPECT_EQ(flow.State().MenuState, MenuStates::Castle);
    const auto saved = flow.SavedGame();
    EXPECT_EQ(saved->Roster[1].Status & StatusDead, StatusDead);
    EXPECT_EQ(saved->Roster[1].Place, 21);
    EXPECT_EQ(saved->Roster[1].PosX, 5);
}

}  // namespace
}  // namespace kv::test
