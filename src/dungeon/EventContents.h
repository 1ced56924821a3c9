#pragma once
// One content of an event at work: what each kind does, and where the event
// goes on afterwards.
#include "core/Game.h"
#include "core/GameDisplay.h"
#include "core/Player.h"
#include "dungeon/Events.h"

namespace kv {

enum class ContentKind : int {
    Gift = 1,
    Take = 2,
    Stairs = 3,
    Message = 4,
    Riddle = 5,
    Question = 6,
    Teleport = 7,
    FloorTrap = 8,
    ItemTest = 9,
    FlagTest = 10,
    FlagSet = 11,
    FlagClear = 12,
    FlagToggle = 13,
    Battle = 14,
    Person = 15,
    Return = 16,
    Barrier = 17,
    HitPoints = 18,
    Cure = 19,
    Nothing = 20,
    Jump = 21,
    Spinner = 22,
    Lock = 23,
};

// Carries out the content; returns the position to go on at (the next one
// unless the content jumps), 0 to end the event. The run's flags and result
// change as the kind says.
int RunContent(Game& game, Player& player, const Contents& content, int position, EventRun& run,
               GameDisplay& display);

// The lock of difficulty n: a member tries; true when it opened.
bool TryLock(Game& game, Player& player, int difficulty);

}  // namespace kv
