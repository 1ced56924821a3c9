#pragma once
// The party's spells in force that the maze shows, and the skills that keep
// some of them on for as long as their holder is in the party.
#include "core/Game.h"
#include "core/PartyBits.h"

namespace kv {

// Skills 90 (levitation), 91 (identify) and 92 (compass) switch their spell
// on whenever the view is drawn.
void ApplyEffectSkills(Game& game);

}  // namespace kv
