// What a battle asks of the display from its first monster to its end: the
// encounter's fanfare, the battle's own scene, the victory, the way back to
// the maze's music, and the fall of the party.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "BattleFixture.h"
#include "core/StringTable.h"

namespace kv::testing {
namespace {

enum class Ending { Fight, Flee, Fall };

TEST(BattleMusic, EachBattlePlaysItsScenesAndTheMazeMusicComesBack) {
    struct Case {
        const char* What;
        int ChosenScene;  // the battle scene the maze chose last (-1: none since start)
        int MazeScene;
        Ending How;
        BattleEnd Expected;
        std::vector<int> Scenes;
    };
    using enum Ending;
    const Case cases[] = {
        // clang-format off
        {"random, won",     SceneBattle1, SceneMaze1, Fight, BattleEnd::Victory,
         {SceneEncounter, SceneBattle1, SceneVictory, SceneMaze1}},
        {"boss, deepest",   SceneBoss1,   SceneMaze2, Fight, BattleEnd::Victory,
         {SceneEncounter, SceneBoss1, SceneVictory, SceneMaze2}},
        {"event, no choice", -1,          SceneMaze1, Fight, BattleEnd::Victory,
         {SceneEncounter, SceneSilence, SceneVictory, SceneMaze1}},
        {"escape",          SceneBattle1, SceneMaze1, Flee,  BattleEnd::Escaped,
         {SceneEncounter, SceneBattle1, SceneMaze1}},
        {"wipe-out",        SceneBattle1, SceneMaze1, Fall,  BattleEnd::Defeat,
         {SceneEncounter, SceneBattle1, SceneWipeOut}},
        // clang-format on
    };
    for (const Case& c : cases) {
        BattleFixture f(2);
        Game& g = f.G();
        g.Rng.Seed(11);
        if (c.ChosenScene >= 0) g.Config.BattleScene = c.ChosenScene;
        g.Config.MazeScene = c.MazeScene;
        g.Member(1)->Skills[8] = 1;     // always gets away
        g.Member(1)->Skills[15] = 1;    // never attacked from behind
        g.Monsters[OgreId].Level = 30;  // never friendly
        if (c.How == Ending::Fall) {
            for (int i = 1; i <= 2; ++i) g.Member(i)->HP = 1;
            g.Monsters[OgreId].DamageDice = {10, 10, 100};
            g.Monsters[OgreId].HPDice = {0, 0, 5000};
        } else {
            g.Monsters[OgreId].HPDice = {1, 1, 0};
        }
        BattleEnd end = StartBattle(g, f.Player, f.Display, OgreEncounter);
        if (c.How == Ending::Flee && end == BattleEnd::Ongoing) {
            g.Battle.InputIndex = 1;
            end = Escape(g, f.Player, f.Display);
        }
        while (end == BattleEnd::Ongoing && g.Battle.RoundNo < 50) {
            AutoCommands(g);
            end = StartRound(g, f.Player, f.Display);
        }
        ASSERT_EQ(end, c.Expected) << c.What;
        std::vector<int> scenes = c.Scenes;
        // A chest keeps the victory's music until it is opened or left.
        if (end == BattleEnd::Victory && g.Battle.ChestLeft) scenes.pop_back();
        EXPECT_EQ(f.Display.Scenes, scenes) << c.What;
        EXPECT_EQ(f.Display.PictureHidden, c.How == Ending::Flee ? 0 : 1) << c.What;
        if (c.How != Ending::Fall) continue;
        // Fallen as in the maze: saved as it falls and again on the way home.
        EXPECT_EQ(f.Player.Messages().back(), ResString(Str::PartyWipedOut));
        EXPECT_EQ(f.Display.Saves, 2);
        EXPECT_EQ(f.Display.CastleShown, 1);
        EXPECT_EQ(g.CurrentPlace, 1);
    }
}

TEST(BattleMusic, NoMonstersOnTheFloorPlayNothing) {
    BattleFixture f(2);
    f.G().CurrentFloor = 2;  // the encounter table has no row for it
    f.G().Config.BattleScene = SceneBattle1;
    EXPECT_EQ(StartBattle(f.G(), f.Player, f.Display, 0), BattleEnd::NoBattle);
    EXPECT_TRUE(f.Display.Scenes.empty());
    EXPECT_TRUE(f.Player.Messages().empty());
}

}  // namespace
}  // namespace kv::testing
