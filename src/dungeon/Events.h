#pragma once
// The maze's scripted events: built once from the event rows, run whenever
// the party arrives on a square, tries to step off it, uses an item or
// searches there, or ends a battle an event started.
#include <cstdint>
#include <vector>

#include "core/Game.h"
#include "core/GameDisplay.h"
#include "core/Player.h"

namespace kv {

enum class EventTrigger : int {
    Arrival = 1,
    BeforeStep = 2,
    ItemUsed = 3,
    AfterBattle = 4,
    Search = 5,
};

struct EventRun {
    int16_t Result = 0;      // > 0 a battle to start, -1 a person met, 0 nothing
    bool Blocked = false;    // a barrier or a lock that stayed shut stops the step
    bool Fired = false;      // at least one content ran
    bool PartyGone = false;  // a transfer landed the party where it cannot live
    bool WentHome = false;   // the party went back to the castle
    int ChestLevel = 0;      // a search found a hidden chest of this level
};

// Rows 1..499 with a non-zero ID start an event; the rows that follow with
// the same ID are its further contents. Row 500 cannot start one.
std::vector<EventClass> BuildEvents(const std::vector<EventDef>& rows);

// Runs every event of the party's square and facing for the trigger, in the
// order they were built.
EventRun RunEvents(Game& game, Player& player, EventTrigger trigger, GameDisplay& display);

}  // namespace kv
