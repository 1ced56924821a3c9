#pragma once
// The party's spells in force that the maze shows, and the skills that keep
// some of them on for as long as their holder is in the party.
#include <cstdint>

#include "core/Game.h"

namespace kv {

enum PartyEffect : int32_t {
    PartyEffectIdentify = 1,
    PartyEffectLevitation = 4,
    PartyEffectProtection = 64,
    PartyEffectProtection2 = 128,
    PartyEffectCompass = 256,
};

// Skills 90 (levitation), 91 (identify) and 92 (compass) switch their spell
// on whenever the view is drawn.
void ApplyEffectSkills(Game& game);

}  // namespace kv
