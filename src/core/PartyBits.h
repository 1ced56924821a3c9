#pragma once
// The party-wide words: which spells and blessings are in force (both are
// cleared on the return to the castle), and which part of the main window has
// the keys in the maze.
#include <cstdint>

namespace kv {

// Game::PartyEffects: the party's spells in force.
enum PartyEffect : int32_t {
    PartyEffectIdentify = 1,       // monster groups are identified at sight
    PartyEffectLevitation = 4,     // the party floats over floor traps
    PartyEffectCallMonsters = 32,  // a battle starts when the camp closes
    PartyEffectProtection = 64,    // armour class 3 better
    PartyEffectProtection2 = 128,  // armour class 5 better
    PartyEffectCompass = 256,      // the view shows the facing
    PartyEffectBetterChest = 512,  // monsters leave a chest more often
};

// Game::PartyBlessings: blessings asked for in battle or by an item.
enum PartyBlessing : int32_t {
    BlessingOld = 1,  // set by no spell the game knows; the round's healing still reads it
    BlessingFearResistance = 2,
    BlessingFewerEncounters = 4,
    BlessingRegeneration = 8,
    BlessingSamuraiMight = 16,  // samurai deal one more weapon die
    BlessingLordMight = 32,     // lords deal one more weapon die
    BlessingTheft = 64,         // thefts come easier
    BlessingShield = 128,       // monsters' blows do 90 %
};

// Game::ScreenState: who has the keys while the maze is shown.
namespace ScreenStates {
inline constexpr int16_t Map = 0;             // the map: the dungeon keys act
inline constexpr int16_t BattleCommands = 1;  // members' commands are chosen
inline constexpr int16_t BattleRound = 2;     // the round runs
inline constexpr int16_t Chest = 3;           // the chest menu
}  // namespace ScreenStates

}  // namespace kv
