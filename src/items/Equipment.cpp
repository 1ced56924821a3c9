#include "items/Equipment.h"

#include "town/RaceDefences.h"

namespace kv {

void MarkEquippable(const Game& game, Creature& creature, int slot) {
    if (slot < 1 || slot > 15) return;
    InventorySlot& held = creature.Items[static_cast<size_t>(slot)];
    if (held.ItemId <= 0 || held.ItemId >= ItemRows) return;
    const ItemDef& item = game.Items[static_cast<size_t>(held.ItemId)];
    const bool fits =
        (item.SexMask & creature.Sex) != 0 && (item.ClassMask & creature.Class) != 0 &&
        (item.AlignMask & creature.Alignment) != 0 && (item.RaceMask & creature.Race) != 0;
    if (fits) {
        held.ItemFlags &= ~CannotEquip;
    } else {
        held.ItemFlags |= CannotEquip;
    }
}

void MarkAllEquippable(const Game& game, Creature& creature) {
    for (int slot = 1; slot <= 15; ++slot) MarkEquippable(game, creature, slot);
}

void UnequipAll(const Game& game, Creature& creature) {
    // A cursed item taken off is no longer stuck: its curse mark goes with
    // the position, or it could never be traded or dropped again.
    for (int slot = 1; slot <= 15; ++slot) {
        creature.Items[static_cast<size_t>(slot)].ItemFlags &= ~(ItemPositionMask | CursedEquipped);
    }
    ResetRaceDefences(game, creature);
}

}  // namespace kv
