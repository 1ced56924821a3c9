#pragma once
// The party as the main window shows it: who is in the active party, in
// marching order, and the six rows of the party panel; the battle help text;
// and what leaving the game does to the roster.
#include <array>
#include <string>
#include <vector>

#include "core/Game.h"

namespace kv {

// Rebuilds PartyList from the roster (records on the current floor and place
// with the current party number), sends those that cannot act to the back,
// orders the rest by marching position from 1 upward (a member without a
// position marches last) and renumbers the positions 1, 2, ...
void RebuildPartyList(Game& game);

// A new marching order: ids[i] (roster slots) becomes member i + 1.
void SetMarchingOrder(Game& game, const std::vector<int>& ids);

// One row of the party panel: name, class, AC, HP with its mark, state.
using PartyRow = std::array<std::string, 5>;
std::vector<PartyRow> PartyPanelRows(const Game& game);

// The battle help panel for one member: statistics, spell points per school
// and level, and what the member wears. Lines end with "\r".
std::string BattleHelpText(const Game& game, const Creature& member);

// Leaving the game (before the final save): a party in town is dissolved; a
// party in the maze stays there, each member remembering where. Records whose
// place is below 20 are cleared of place, floor and party number.
void LeaveGame(Game& game);

// At start-up: roster records whose place is below 21 are back in town.
void ReturnStragglersToTown(Game& game);

}  // namespace kv
