#pragma once
// A character's fifteen inventory slots and what the whole game does with
// them: adding (stacking the stackable kinds up to nine a slot), removing,
// packing the list, consuming, and handing a find to the party.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/Game.h"
#include "core/Player.h"

namespace kv {

inline constexpr int FirstInventorySlot = 1;
inline constexpr int LastInventorySlot = 15;
inline constexpr int32_t MaxStack = 9;

// Item kinds (ItemDef::Kind without the cannot-drop mark).
enum class ItemKind : int16_t {
    Weapon = 1,
    Shield = 2,
    Armour = 3,
    Gauntlets = 4,
    Boots = 5,
    Helmet = 6,
    Accessory = 7,
    Item = 8,
    Instrument = 9,
    Material = 10,
    EventItem = 11,
    Orb = 12,
};
inline constexpr int16_t CannotDropMark = 256;

// The item definition of an id, or null for 0 and ids outside the table.
const ItemDef* FindItem(const Game& game, int32_t itemId);
// The kind without the cannot-drop mark.
ItemKind KindOf(const ItemDef& item);
bool IsStackable(const ItemDef& item);

// How a find is announced by GiveFoundItem. Unannounced finds still tell a
// party with no room so.
enum class FoundMessage { None = 0, Plain = 1, Named = 2, Unannounced = 3 };

// Moves the filled slots up in their order so the empty ones are last.
void CompactInventory(Creature& creature);
// 1..15, or 0 when every slot is filled.
int FirstFreeInventorySlot(const Creature& creature);
// Adds count pieces (after packing the list): 0 when all were placed, the
// number left over when some were, -1 when none were.
int AddItemToInventory(const Game& game, int32_t itemId, Creature& creature, bool unidentified,
                       int32_t count);
// Takes n pieces from a slot; a slot brought to 0 is emptied. Not packed.
void RemoveItemCount(Creature& creature, int slot, int32_t n);
// The first party member in marching order with an empty slot becomes the
// current character; the free slot, or -1 when nobody has room.
int FindPartyMemberWithFreeSlot(Game& game);
// One found item to the first member with room; 0, or -1 when the party is full.
int GiveFoundItem(Game& game, Player& player, int32_t itemId, bool unidentified,
                  FoundMessage messageMode, bool countAsFound);
// One piece from the first slot holding the item; true when there was one.
bool ConsumeItem(Game& game, int32_t itemId, Creature& creature);
// The same over the roster (stops at the first character that had one)
// and over the party in marching order: the roster slot, or 0.
int ConsumeItemFromRoster(Game& game, int32_t itemId);
int ConsumeItemFromParty(Game& game, int32_t itemId);

// The name shown for a slot: the unidentified name while unidentified.
std::string ItemDisplayName(const Game& game, const InventorySlot& slot);
// The two-character marker of a slot: cursed and stuck, unidentified,
// not for this character, worn, or nothing.
std::string_view ItemMarker(int32_t itemFlags);

// The inventory list as the status window shows it, after packing the
// slots and marking what this character may wear: "1 :* name × ９".
struct InventoryRow {
    std::string Text;
    int Slot = 0;
};
std::vector<InventoryRow> InventoryRows(const Game& game, Creature& creature);

}  // namespace kv
