#pragma once
// One cast outside battle under way, and the table of effect codes that
// carries it out (CampEffects.cpp).
#include <string>
#include <string_view>

#include "core/Game.h"
#include "core/Player.h"
#include "items/CampSpells.h"

namespace kv {

struct CampCast {
    Game& TheGame;
    Player& ThePlayer;
    CampHost& Host;
    Creature& Caster;
    const SpellDef& Spell;
    bool ByCharacter;    // a character paid a point; an item casts for free
    bool Saved = false;  // the effect saved the game: a later cost saves again
};

// Carries out the spell's effect code; a code the camp does not know does
// nothing.
CampOutcome RunCampEffect(CampCast& cast);

// The statistic rises by one while below the race's limit for the table
// index (not raised, as at a level-up).
void RaiseBelowRaceMax(const Game& game, Creature& c, uint8_t Creature::*stat, int index);

// "<name>は\n<text>".
std::string Said(const Creature& c, std::string_view text);

}  // namespace kv
