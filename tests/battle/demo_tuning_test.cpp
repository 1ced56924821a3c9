// The demo's first two floors, fought as a new party of six would: twenty
// battles, rested and healed between them, and the levels the experience
// won is worth. The demo's experience and gold are tuned so such a party
// reaches level 4 or 5.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <tuple>
#include <utility>
#include <iostream>
#include <memory>

#include "battle/BattleRules.h"
#include "core/Database.h"
#include "core/ScriptedPlayer.h"
#include "town/CharacterRules.h"

namespace kv::testing {
namespace {

constexpr int Fights = 20;
constexpr int Seeds = 12;

struct Recruit {
    const char* Name;
    int32_t Class;
    int HP;
    int Weapon;  // the demo's item number
    int AC;
};
// Three fighters in front with long swords; a thief with a short bow, a
// priest with a spear and a mage with a dagger behind.
constexpr Recruit Recruits[] = {
    {"戦士1", 1, 14, 2, 5}, {"戦士2", 1, 13, 2, 5}, {"戦士3", 1, 12, 2, 6},
    {"盗賊", 8, 9, 16, 8},  {"僧侶", 4, 10, 27, 7}, {"魔導士", 2, 6, 7, 9},
};

void Muster(Game& game) {
    game.PartyCount = 0;
    int slot = 1;
    for (const Recruit& r : Recruits) {
        Creature& c = game.Roster[static_cast<size_t>(slot)];
        c = Creature{};
        c.Id = slot;
        c.Name = r.Name;
        c.Class = r.Class;
        c.Race = 1;
        c.Sex = 1;
        c.Alignment = 2;
        c.Level = 1;
        c.MaxHP = c.HP = r.HP;
        c.AttackCount = 1;
        c.BaseAC = c.AC = r.AC;
        c.Str = c.IQ = c.Piety = c.Vitality = c.Dexterity = c.Agility = c.Charm = c.Luck = 13;
        c.DamageRate.fill(100);
        c.Items[1] = {r.Weapon, 1, 1};
        c.PartyPos = static_cast<uint8_t>(slot);
        game.PartyList[static_cast<size_t>(slot)] = static_cast<int16_t>(slot);
        ++game.PartyCount;
        ++slot;
    }
}

int LevelFor(const Creature& c) {
    int level = 1;
    while (level < 20 && c.Exp >= ExpForLevel(level, c.Class, c.Race)) ++level;
    return level;
}

TEST(DemoTuning, TwentyFightsOnTheFirstFloorsBringANewPartyToLevelFourOrFive) {
#ifndef KORVANE_DEMO_DIR
    GTEST_SKIP() << "built without the demo scenario";
#else
    auto game = std::make_unique<Game>();
    if (!LoadDatabase(*game, KORVANE_DEMO_DIR, false).Ok())
        GTEST_SKIP() << "the demo scenario is not built";
    ScriptedPlayer player;
    player.Keep = false;
    game->CurrentPlace = 21;
    double levels = 0;
    double gold = 0;
    int won = 0;
    int lost = 0;
    for (int seed = 1; seed <= Seeds; ++seed) {
        Muster(*game);
        game->Rng.Seed(static_cast<uint64_t>(seed));
        for (int fight = 0; fight < Fights; ++fight) {
            game->CurrentFloor = static_cast<int16_t>(fight < Fights / 2 ? 1 : 2);
            BattleEnd end = StartBattle(*game, player, 0);
            while (end == BattleEnd::Ongoing && game->Battle.RoundNo < 100) {
                AutoCommands(*game);
                end = StartRound(*game, player);
            }
            won += end == BattleEnd::Victory ? 1 : 0;
            lost += end == BattleEnd::Defeat ? 1 : 0;
            // Rested, healed and raised in town before the next fight, with
            // what was won kept.
            std::array<std::pair<double, double>, 7> gains{};
            for (int slot = 1; slot <= 6; ++slot) {
                const Creature& c = game->Roster[static_cast<size_t>(slot)];
                gains[static_cast<size_t>(slot)] = {c.Exp, c.Gold};
            }
            Muster(*game);
            for (int slot = 1; slot <= 6; ++slot) {
                Creature& c = game->Roster[static_cast<size_t>(slot)];
                std::tie(c.Exp, c.Gold) = gains[static_cast<size_t>(slot)];
            }
        }
        for (int slot = 1; slot <= 6; ++slot) {
            const Creature& c = game->Roster[static_cast<size_t>(slot)];
            levels += LevelFor(c);
            gold += c.Gold;
        }
    }
    const double averageLevel = levels / (6.0 * Seeds);
    std::cout << "twenty fights: average level " << averageLevel << ", gold per member "
              << gold / (6.0 * Seeds) << ", won " << won << ", lost " << lost << " of "
              << Fights * Seeds << "\n";
    EXPECT_GE(averageLevel, 4.0);
    EXPECT_LE(averageLevel, 5.5);
#endif
}

}  // namespace
}  // namespace kv::testing
