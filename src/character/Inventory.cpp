#include "character/Inventory.h"

#include <algorithm>

#include "character/Equipment.h"
#include "core/StringTable.h"
#include "core/TextFormat.h"

namespace kv {

namespace {

constexpr char HexDigits[] = "0123456789ABCDEF";

InventorySlot& SlotAt(Creature& creature, int slot) {
    return creature.Items[static_cast<size_t>(slot)];
}

}  // namespace

const ItemDef* FindItem(const Game& game, int32_t itemId) {
    if (itemId <= 0 || itemId >= ItemRows) return nullptr;
    return &game.Items[static_cast<size_t>(itemId)];
}

ItemKind KindOf(const ItemDef& item) {
    return static_cast<ItemKind>(item.Kind % CannotDropMark);
}

bool IsStackable(const ItemDef& item) {
    const ItemKind kind = KindOf(item);
    return kind == ItemKind::Item || kind == ItemKind::Material;
}

void CompactInventory(Creature& creature) {
    int to = FirstInventorySlot;
    for (int from = FirstInventorySlot; from <= LastInventorySlot; ++from) {
        if (SlotAt(creature, from).ItemId == 0) continue;
        if (to != from) {
            SlotAt(creature, to) = SlotAt(creature, from);
            SlotAt(creature, from) = InventorySlot{};
        }
        ++to;
    }
}

int FirstFreeInventorySlot(const Creature& creature) {
    for (int slot = FirstInventorySlot; slot <= LastInventorySlot; ++slot) {
        if (creature.Items[static_cast<size_t>(slot)].ItemId == 0) return slot;
    }
    return 0;
}

int AddItemToInventory(const Game& game, int32_t itemId, Creature& creature, bool unidentified,
                       int32_t count) {
    const ItemDef* item = FindItem(game, itemId);
    if (item == nullptr) return -1;
    if (count <= 0) return 0;
    CompactInventory(creature);
    const int32_t newFlags = unidentified ? Unidentified : 0;
    if (!IsStackable(*item)) {
        // One piece a slot; a count above one is not a stack of these.
        const int slot = FirstFreeInventorySlot(creature);
        if (slot == 0) return -1;
        SlotAt(creature, slot) = InventorySlot{itemId, newFlags, 1};
        MarkEquippable(game, creature, slot);
        return count == 1 ? 0 : count - 1;
    }
    int32_t left = count;
    for (int slot = FirstInventorySlot; slot <= LastInventorySlot && left > 0; ++slot) {
        InventorySlot& held = SlotAt(creature, slot);
        if (held.ItemId == 0) {
            held = InventorySlot{itemId, newFlags, 0};
        } else if (held.ItemId != itemId) {
            continue;
        }
        const int32_t room = std::max<int32_t>(0, MaxStack - held.ItemCount);
        const int32_t put = std::min(room, left);
        held.ItemCount += put;
        left -= put;
    }
    if (left == 0) return 0;
    return left == count ? -1 : left;
}

void RemoveItemCount(Creature& creature, int slot, int32_t n) {
    if (slot < FirstInventorySlot || slot > LastInventorySlot) return;
    InventorySlot& held = SlotAt(creature, slot);
    held.ItemCount -= n;
    if (held.ItemCount <= 0) held = InventorySlot{};
}

int FindPartyMemberWithFreeSlot(Game& game) {
    for (int i = 1; i <= game.PartyCount && i < static_cast<int>(game.PartyList.size()); ++i) {
        const int member = game.PartyList[static_cast<size_t>(i)];
        if (member <= 0 || member >= RosterRows) continue;
        const int slot = FirstFreeInventorySlot(game.Roster[static_cast<size_t>(member)]);
        if (slot != 0) {
            game.CurrentChar = static_cast<int16_t>(member);
            return slot;
        }
    }
    return -1;
}

int GiveFoundItem(Game& game, Player& player, int32_t itemId, bool unidentified,
                  FoundMessage messageMode, bool countAsFound) {
    const ItemDef* item = FindItem(game, itemId);
    if (item == nullptr) return -1;
    if (FindPartyMemberWithFreeSlot(game) < 0) {
        if (messageMode != FoundMessage::None) player.Message(ResString(Str::InventoryFull));
        return -1;
    }
    Creature& taker = game.Roster[static_cast<size_t>(game.CurrentChar)];
    AddItemToInventory(game, itemId, taker, unidentified, 1);
    if (messageMode == FoundMessage::Plain) {
        player.Message(ResString(Str::FoundItem));
    } else if (messageMode == FoundMessage::Named) {
        player.Message((unidentified ? item->UnidentifiedName : item->Name) + "を手に入れた");
    }
    if (countAsFound) ++game.ItemFound[static_cast<size_t>(itemId)];
    return 0;
}

bool ConsumeItem(Game&, int32_t itemId, Creature& creature) {
    if (itemId == 0) return false;
    for (int slot = FirstInventorySlot; slot <= LastInventorySlot; ++slot) {
        if (SlotAt(creature, slot).ItemId == itemId) {
            RemoveItemCount(creature, slot, 1);
            return true;
        }
    }
    return false;
}

int ConsumeItemFromRoster(Game& game, int32_t itemId) {
    for (int member = 1; member < RosterRows; ++member) {
        if (ConsumeItem(game, itemId, game.Roster[static_cast<size_t>(member)])) return member;
    }
    return 0;
}

int ConsumeItemFromParty(Game& game, int32_t itemId) {
    for (int i = 1; i <= game.PartyCount && i < static_cast<int>(game.PartyList.size()); ++i) {
        const int member = game.PartyList[static_cast<size_t>(i)];
        if (member <= 0 || member >= RosterRows) continue;
        if (ConsumeItem(game, itemId, game.Roster[static_cast<size_t>(member)])) return member;
    }
    return 0;
}

std::string ItemDisplayName(const Game& game, const InventorySlot& slot) {
    const ItemDef* item = FindItem(game, slot.ItemId);
    if (item == nullptr) return {};
    return (slot.ItemFlags & Unidentified) != 0 ? item->UnidentifiedName : item->Name;
}

std::string_view ItemMarker(int32_t itemFlags) {
    if ((itemFlags & CursedEquipped) != 0) return "- ";
    if ((itemFlags & Unidentified) != 0) return "? ";
    if ((itemFlags & CannotEquip) != 0) return "# ";
    // Worn shows only on a plain flags value: a worn item that is also
    // marked otherwise has already shown its stronger marker.
    if (itemFlags >= 1 && itemFlags <= 8) return "* ";
    return "  ";
}

std::vector<InventoryRow> InventoryRows(const Game& game, Creature& creature) {
    CompactInventory(creature);
    MarkAllEquippable(game, creature);
    std::vector<InventoryRow> rows;
    for (int slot = FirstInventorySlot; slot <= LastInventorySlot; ++slot) {
        const InventorySlot& held = SlotAt(creature, slot);
        if (held.ItemId == 0) continue;
        std::string text;
        text += HexDigits[slot];
        text += " :";
        text += ItemMarker(held.ItemFlags);
        text += ItemDisplayName(game, held);
        const ItemDef* item = FindItem(game, held.ItemId);
        if (item != nullptr && IsStackable(*item)) text += " × " + WideNumber(held.ItemCount);
        rows.push_back({std::move(text), slot});
    }
    return rows;
}

}  // namespace kv
