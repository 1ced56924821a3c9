#pragma once
// The party in the maze: loading a floor, stepping, bumping, turning, being
// moved by stairs and teleports, and the check of where it lands. Each move
// tells the screens what follows it: nothing, a bump, a battle to start, or
// the end of the trip.
#include "core/Game.h"
#include "core/GameDisplay.h"
#include "core/Player.h"

namespace kv {

inline constexpr int DeepestFloor = 21;

enum class MazeOutcome {
    None,
    Bumped,        // a wall in front; nothing else happened
    EventBattle,   // an event asks for the battle of Encounter
    RandomBattle,  // a random encounter on this floor
    PersonMet,     // an event met a person
    WentHome,      // the party is back at the castle
    WipedOut,      // the party fell or was lost; the castle is on screen
};

struct MoveResult {
    MazeOutcome Outcome = MazeOutcome::None;
    int Encounter = 0;
};

// Copies the current floor's walls and doors, collects its encounters, sets
// the encounter odds and selects the dungeon music.
void LoadFloor(Game& game, GameDisplay& display);

// Up arrow (openDoor false) or Space and Enter (true): a step forward, or a
// bump ("いてっ！") when the edge in front is closed to that key.
MoveResult TryStep(Game& game, Player& player, bool openDoor, GameDisplay& display);

// A step (kind Step) or a turn, with everything that follows it: events,
// moons, poison and regeneration, the automap, the encounter roll.
MoveResult MoveParty(Game& game, Player& player, MoveKind kind, GameDisplay& display);

// Moves the party within its place (stairs and teleports): a new floor is
// loaded; every member's location follows.
void TransferParty(Game& game, int floor, int x, int y, GameDisplay& display);

// After a transfer: 0 when the party may stay; -1 when it landed in rock or
// below the deepest floor (its characters are erased) or above the first
// floor (they die and their bodies are in town). The party list is empty then.
int CheckLanding(Game& game, Player& player, GameDisplay& display);

// Whether every member is out of action (or there is nobody).
bool PartyIsDown(const Game& game);

}  // namespace kv
