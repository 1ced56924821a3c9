#pragma once
// What a character may wear and taking everything off. Wearing is kept in
// the inventory slots' flags alone; the defences that follow from it are
// recomputed from the race up whenever the equipment may have changed.
#include "core/Game.h"

namespace kv {

// Sets CannotEquip on an inventory slot (1..15) unless the item's sex,
// class, alignment and race masks all admit the character; clears it when
// they do. Empty slots and slots outside 1..15 are left alone.
void MarkEquippable(const Game& game, Creature& creature, int slot);
// The same for slots 1..15.
void MarkAllEquippable(const Game& game, Creature& creature);

// Every worn item comes off (its position bits cleared) and the race's
// armour class, resistances and damage rates are back.
void UnequipAll(const Game& game, Creature& creature);

}  // namespace kv
