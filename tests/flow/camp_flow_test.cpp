// The camp's magic by keys alone: a typed mapping spell shows the automap,
// a scroll read from U)使う does too, and a teleport to a named cell lands
// the party there.
#include <fstream>
#include <string>
#include <vector>

#include "core/MazeMap.h"
#include "flow/FlowHarness.h"

namespace kv::test {
namespace {

void Spell(Game& g, int row, const char* name, int effect, int level, int slot) {
    SpellDef& s = g.Spells[static_cast<size_t>(row)];
    s.Code = static_cast<int16_t>(row);
    s.Name = s.AltName = name;
    s.School = 1;
    s.SpellLevel = static_cast<uint8_t>(level);
    s.Slot = static_cast<uint8_t>(slot);
    s.Effect = static_cast<uint8_t>(effect);
    s.SpellFlags = 2;
}

// Aria and Bell; Aria knows the map and the teleport and carries a scroll
// of the map. Spells are typed.
void PrepareCamp(Flow& flow) {
    Game& g = flow.Scenario();
    for (int slot = 1; slot <= 2; ++slot) {
        Creature& c = g.Roster[static_cast<size_t>(slot)];
        c.Id = slot;
        c.Name = slot == 1 ? "アリア" : "ベル";
        c.Alignment = 2;
        c.Level = 3;
        c.HP = c.MaxHP = 20;
        c.Skills[NoEncounterSkill] = 1;
    }
    Spell(g, 1, "MAPPO", 3, 1, 1);
    Spell(g, 2, "TELE", 44, 1, 2);
    Creature& aria = g.Roster[1];
    aria.Spell(1, 1, 1) = aria.Spell(1, 1, 2) = 1;
    aria.MPAt(1, 1) = aria.MaxMPAt(1, 1) = 3;
    ItemDef& scroll = g.Items[1];
    scroll.Id = 1;
    scroll.Name = "地図の巻物";
    scroll.Kind = 8;
    scroll.SpellNo = 1;
    aria.Items[1] = InventorySlot{1, 0, 1};
    std::ofstream(flow.SaveFolder() / "KVR.ini") << "[ダンジョン]\n呪文選択=0\n";
}

TEST(CampFlow, TheMapSpellShowsTheAutomapAndTheTeleportLandsOnTheCell) {
    Flow flow;
    PrepareCamp(flow);
    ASSERT_TRUE(flow.Run(FormAndEnter +
                         // Camp on Aria: the map by name (closed by Esc), then the
                         // scroll from U)使う (its automap closed too).
                         "I Enter  S Enter \"mappo\" Enter  Esc  U Enter  Enter  Esc  "
                         // The teleport: one floor down, 3 east, 4 south.
                         "S Enter \"tele\" Enter  \"1\" Right \"3\" Right \"4\" Enter  "))
        << flow.Error();
    EXPECT_EQ(flow.Lines("automap").size(), 2u);
    const Game& g = flow.State();
    EXPECT_EQ(g.Roster[1].MPAt(1, 1), 1) << "two casts; the scroll cost nothing";
    const auto saved = flow.SavedGame();
    for (int slot = 1; slot <= 2; ++slot) {
        const Creature& c = saved->Roster[static_cast<size_t>(slot)];
        EXPECT_EQ(c.Floor, 2);
        EXPECT_EQ(c.PosX, 3);
        EXPECT_EQ(c.PosY, 4);
    }
    const std::vector<Where> where = WhereLines(flow);
    ASSERT_FALSE(where.empty());
    EXPECT_EQ(where.back().Floor, 2);
    EXPECT_EQ(where.back().X, 3);
    EXPECT_EQ(where.back().Y, 4);
}

}  // namespace
}  // namespace kv::test
