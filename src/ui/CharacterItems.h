#pragma once
// How the pickers write a character's items: the row number as one
// hexadecimal digit (so all fifteen slots have an access key), the item's
// name, and in the member picker the two-character marker before it.
#include <string>
#include <string_view>
#include <vector>

#include "core/Creature.h"

namespace kv {

struct Game;

inline constexpr int FirstItemSlot = 1;
inline constexpr int LastItemSlot = 15;

// "1".."9", "A".."F" for 1..15; larger numbers in as many digits as they need.
std::string ItemRowNumber(int n);

// The mark before an item, by precedence: "- " cursed and worn, "? "
// unidentified, "# " not usable by this character, "* " worn, else blanks.
std::string_view ItemRowMarker(const InventorySlot& slot);

// The name the player knows the item in the slot by: its unidentified name
// until it is identified. "" for an item number outside the table.
std::string ItemRowName(const Game& game, const InventorySlot& slot);

struct ItemRow {
    int Slot = 0;
    std::string Text;
};

// One row per filled slot 1..15 of the roster slot's character, numbered
// n = 1, 2, ...: "n:" + name, or "n:" + marker + name when withMarker.
// Nothing for a roster slot that does not exist.
std::vector<ItemRow> CharacterItemRows(const Game& game, int rosterSlot, bool withMarker);

}  // namespace kv
