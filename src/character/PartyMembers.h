#pragma once
// The party as the maze rules walk it: members in marching order, and the
// questions asked of all of them at once.
#include "core/Game.h"
#include "core/SkillCodes.h"

namespace kv {

// Whether any member has skill k switched on.
bool PartyMemberHasSkill(const Game& game, Skill skill);

// Whether the creature carries item `item` in one of its slots 1..15.
bool CarriesItem(const Creature& creature, int item);
// Whether some party member carries it.
bool PartyCarriesItem(const Game& game, int item);
// Whether some roster character (1..50) carries it.
bool RosterCarriesItem(const Game& game, int item);

}  // namespace kv
