// Spells in a battle played by keys: Aki the mage casts a fire spell typed
// by name at the pixies and Bob the priest heals her; then the same fire
// spell is picked through the list window when the setting asks for one,
// and through the grid window by default.
#include <fstream>
#include <string>
#include <vector>

#include "battle/BattleFixture.h"
#include "flow/FlowHarness.h"

namespace kv::test {
namespace {

using namespace kv::testing;

SpellDef MakeSpell(const char* name, int school, int effect, int kind, int16_t add) {
    SpellDef s;
    s.Name = s.AltName = name;  // the game shows either, by its setting
    s.School = static_cast<uint8_t>(school);
    s.SpellLevel = 1;
    s.Slot = 1;
    s.Effect = static_cast<uint8_t>(effect);
    s.TargetKind = static_cast<uint8_t>(kind);
    s.SpellFlags = 1;
    s.SpellDice = {0, 0, add};
    return s;
}

// The battle flow's party and pixies (two groups of two, one hit point
// each), with Aki knowing HALITO and Bob DIOS; the step onto the event
// square asks for the pixies. setting is the "呪文選択" value written.
void PrepareSpells(Flow& flow, int setting) {
    BattleFixture fixture;
    Game& scenario = flow.Scenario();
    scenario.Items = fixture.G().Items;
    scenario.Monsters = fixture.G().Monsters;
    scenario.EncounterTable = fixture.G().EncounterTable;
    Creature pixie = BattleFixture::Monster(PixieId, "ピクシー", 0, 0);
    pixie.HPDice = {0, 0, 1};
    pixie.GroupDice = {0, 0, 2};
    pixie.Agility = 1;
    pixie.DamageDice = {0, 0, 0};
    scenario.Monsters[PixieId] = pixie;
    auto cell = [&](int column, int row) -> int16_t& {
        return scenario.EncounterTable[static_cast<size_t>(column * 2001 + row)];
    };
    cell(0, 3) = PixieEncounter;
    cell(3, 3) = PixieId;
    cell(4, 3) = PixieId;
    scenario.Spells[1] = MakeSpell("HALITO", 0, 2, 2, 5);
    scenario.Spells[1].Code = 1;
    scenario.Spells[2] = MakeSpell("DIOS", 1, 7, 4, 6);
    scenario.Spells[2].Code = 2;
    for (int slot = 1; slot <= 4; ++slot) {
        Creature& c = scenario.Roster[static_cast<size_t>(slot)];
        c = fixture.G().Roster[static_cast<size_t>(slot)];
        c.PartyPos = 0;
        c.Skills[NoEncounterSkill] = 1;
    }
    Creature& aki = scenario.Roster[1];
    aki.Spell(0, 1, 1) = 1;
    aki.MPAt(0, 1) = aki.MaxMPAt(0, 1) = 3;
    aki.HP = 20;
    Creature& bob = scenario.Roster[2];
    bob.Spell(1, 1, 1) = 1;
    bob.MPAt(1, 1) = bob.MaxMPAt(1, 1) = 2;
    EventDef& e = scenario.Events[1];
    e.ID = 1;
    e.Dungeon = 21;
    e.Floor = 1;
    e.X = 0;
    e.Y = 1;
    e.Dir = 2;
    e.EventCase = 1;
    e.Kind = 14;
    e.DataID = PixieEncounter;
    std::ofstream(flow.SaveFolder() / "KVR.ini") << "[ダンジョン]\n呪文選択=" << setting << "\n";
}

bool Shown(const Flow& flow, const std::string& text) {
    for (const std::string& d : flow.Dialogs())
        if (d.find(text) != std::string::npos) return true;
    return false;
}

TEST(SpellFlow, AMageCastsByTypedNameAndAPriestHeals) {
    Flow flow;
    PrepareSpells(flow, 0);
    // Aki types the name in lower case and aims at the first group; Bob
    // types his and picks Aki with the digit 1; Kai and Dan parry.
    const std::string keys =
        EnterAndStep + "Esc  S \"halito\" Enter Enter  S \"dios\" Enter 1  P P  G" + Reads(20);
    ASSERT_TRUE(flow.Run(keys)) << flow.Error();
    EXPECT_TRUE(
        Shown(flow, "アキは\nＨＡＬＩＴＯの呪文を唱えた\nピクシーは\n５のダメージをうけた"));
    EXPECT_TRUE(Shown(flow, "ボブは\nＤＩＯＳの呪文を唱えた\nアキは\n６ポイント回復した"));
    const Game& g = flow.State();
    EXPECT_EQ(g.Roster[1].MPAt(0, 1), 2);
    EXPECT_EQ(g.Roster[2].MPAt(1, 1), 1);
    EXPECT_EQ(g.Roster[1].HP, 26);
    // The input dialog asked with the battle's prompt.
    bool asked = false;
    for (const nlohmann::json& line : flow.Lines("dialog"))
        asked = asked || line["text"] == "呪文を入力してください";
    EXPECT_TRUE(asked);
}

TEST(SpellFlow, TheListWindowPicksSchoolLevelAndSpell) {
    Flow flow;
    PrepareSpells(flow, 2);
    // W)izard, level 1, the first spell; then the second group.
    const std::string keys =
        EnterAndStep + "Esc  S Enter Enter Enter Down Enter  P P P  G" + Reads(20);
    ASSERT_TRUE(flow.Run(keys)) << flow.Error();
    std::vector<nlohmann::json> lists;
    for (const nlohmann::json& line : flow.Lines("list"))
        if (line["name"] == "frmSpellSelect") lists.push_back(line);
    ASSERT_EQ(lists.size(), 3u);
    EXPECT_EQ(lists[0]["rows"][3], "T)Ｔａｏｓｕｉ");
    EXPECT_EQ(lists[1]["rows"][0], "1)Ｌｅｖｅｌ　１");
    EXPECT_EQ(lists[2]["rows"], (std::vector<std::string>{"1)HALITO", "B)戻る", "C)キャンセル"}));
    EXPECT_TRUE(Shown(flow, "アキは\nＨＡＬＩＴＯの呪文を唱えた"));
    EXPECT_EQ(flow.State().Roster[1].MPAt(0, 1), 2);
}

TEST(SpellFlow, TheGridWindowOpensOnTheKnownSpell) {
    Flow flow;
    PrepareSpells(flow, 1);
    const std::string keys = EnterAndStep + "Esc  S Enter Enter  P P P  G" + Reads(20);
    ASSERT_TRUE(flow.Run(keys)) << flow.Error();
    std::vector<nlohmann::json> grids;
    for (const nlohmann::json& line : flow.Lines("list"))
        if (line["name"] == "frmSpellSelect2") grids.push_back(line);
    ASSERT_FALSE(grids.empty());
    EXPECT_EQ(grids[0]["rows"], (std::vector<std::string>{"HALITO"}));
    EXPECT_EQ(grids[0]["index"], 0);
    EXPECT_TRUE(Shown(flow, "アキは\nＨＡＬＩＴＯの呪文を唱えた"));
}

}  // namespace
}  // namespace kv::test
