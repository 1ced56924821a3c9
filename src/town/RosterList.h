#pragma once
// What the roster list window lists for each purpose it is opened for, what
// it says when nobody qualifies, and what Enter on a character does for the
// purposes the town itself carries out (joining the party, resuming a party
// left in the maze, picking a character).
#include <string_view>
#include <vector>

#include "core/Game.h"
#include "core/Player.h"

namespace kv {

// The purposes, as the callers number them.
enum class RosterListMode : int {
    Join = 1,         // the tavern: characters free to join the party
    Resume = 2,       // the edge of town: characters out in the maze
    Locate = 3,       // the locate spell: everybody
    ChangeClass = 4,  // the training grounds: everybody in town
    Delete = 5,
    Rename = 6,
    View = 7,
    Move = 10,
};

// What the window does after Enter on a character.
enum class RowOutcome { Close, StayOpen, Rebuild };

// The roster slots listed, in roster order. rebuiltAfterJoin is set when
// the join list is filled again after a character joined.
std::vector<int> RosterListSlots(const Game& game, int mode, bool rebuiltAfterJoin);

// The message shown instead of the window when the list is empty; "" when
// the mode opens the window with only the back row.
std::string_view RosterListEmptyMessage(int mode);

// Enter on a character for the modes the town carries out itself (join,
// resume, locate, class change); every other mode closes.
RowOutcome RosterRowChosen(Game& game, Player& player, int mode, int id);

}  // namespace kv
