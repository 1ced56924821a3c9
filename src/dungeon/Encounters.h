#pragma once
// The floor's random encounters: which encounters live on the floor, how
// often the party meets them, and the roll on every step or turn.
#include <cstdint>

#include "core/Game.h"

namespace kv {

inline constexpr int MaxFloorMonsters = 350;

struct EncounterOdds {
    int16_t Rate = 2;
    int16_t Base = 0;
};

// The odds of a floor (the place does not matter), before the skills.
EncounterOdds FloorEncounterOdds(int floor);
// The odds after the party's skills: 14 makes encounters rare, else 59
// doubles the base, else 43 triples it.
EncounterOdds PartyEncounterOdds(const Game& game, int floor);
// Sets the current floor's encounter parameters for the party as it is now:
// on every floor load, and whenever the party's skills may have changed.
void SetEncounterOdds(Game& game);

// The encounter numbers of the rows of the encounter table placed on the
// current place and floor, at most 350.
void CollectFloorMonsters(Game& game);

// One roll: true when monsters appear (the step counter starts again), false
// when not (the counter grows).
bool CheckEncounter(Game& game);

}  // namespace kv
