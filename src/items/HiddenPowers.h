#pragma once
// An item's hidden power: after the equipment window closes, the character
// is offered, item by item, to release it; a released power may break the
// item.
#include "core/Game.h"
#include "core/Player.h"

namespace kv {

// Carries out one power code on the character (a code with no power does
// nothing).
void ApplyItemPower(Game& game, Creature& c, int power);

// Asks, for every slot whose item has a power, in slot order, whether the
// character of the roster slot releases it.
void OfferItemPowers(Game& game, Player& player, int slot);

}  // namespace kv
