#pragma once
// The end of every trip into the maze: the party comes home to the castle,
// the conditions that pass on the way wear off, the members who are down
// drop out of the party, a lost member is gone for good, and the party that
// brought the prize home sees the ending once.
#include "core/Game.h"
#include "core/GameDisplay.h"
#include "core/Player.h"

namespace kv {

// Conditions that wear off on the way home (sleep stays).
inline constexpr int32_t WearsOffAtCastle = StatusPoison | StatusDeadlyPoison | StatusFear |
                                            StatusFrozen | StatusShock | StatusBlind | StatusCharm |
                                            StatusSilence | StatusConfusion;
// Conditions that keep a member out of the party at the castle.
inline constexpr int32_t DropsOutAtCastle = StatusParalysis | StatusFly | StatusCarrot |
                                            StatusDisease | StatusStone | StatusDead | StatusAshes |
                                            StatusLost;
static_assert(DropsOutAtCastle == 0x1FC02);

inline constexpr int EndingFlag = 23;
inline constexpr int EndingItem = 252;

// Brings the party home: party spells end, the members are set down at the
// castle, conditions wear off, the fallen drop out and the lost are erased;
// saves; puts the castle on screen; shows the ending when it is earned.
void ReturnToCastle(Game& game, Player& player, GameDisplay& display);

// The party-side part of coming home (everything before the save).
void BringPartyHome(Game& game);

// True when the party brings the prize home while the ending is pending.
bool EndingEarned(const Game& game);

// Shows the ending texts, gives every member the first insignia and marks
// the ending seen. Nothing happens when it is not earned. True when shown.
bool ShowEndingIfEarned(Game& game, Player& player);

}  // namespace kv
