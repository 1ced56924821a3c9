#pragma once
// What a character may wear, putting things on and taking them off, and
// what the worn items add to the character. Wearing is kept in the
// inventory slots' flags alone; the defences that follow from it are
// recomputed from the race up whenever the equipment may have changed.
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/Game.h"
#include "core/Player.h"

namespace kv {

// Where an item is worn: the code kept in the slot's position bits.
enum class Position : int32_t {
    None = 0,
    Primary = 1,
    Secondary = 2,
    Armour = 3,
    Hands = 4,
    Feet = 5,
    Head = 6,
    Accessory = 7,
};

// The rows of the equipment window's position list, in their order; the
// last row closes the window.
struct PositionRow {
    std::string_view Text;
    Position Code;
};
inline constexpr std::array<PositionRow, 8> PositionRows = {{
    {"P)プライマリハンド", Position::Primary},
    {"S)セカンダリハンド", Position::Secondary},
    {"H)頭", Position::Head},
    {"A)鎧", Position::Armour},
    {"G)手", Position::Hands},
    {"B)靴", Position::Feet},
    {"A)アクセサリ", Position::Accessory},
    {"L)戻る", Position::None},
}};
inline constexpr std::string_view WearNothingRow = "L)なにも装備しない";

// The position a slot is worn in (None when not worn).
Position WornPosition(const InventorySlot& slot);

// Sets CannotEquip on an inventory slot (1..15) unless the item's sex,
// class, alignment and race masks all admit the character; clears it when
// they do. Empty slots and slots outside 1..15 are left alone.
void MarkEquippable(const Game& game, Creature& creature, int slot);
// The same for slots 1..15.
void MarkAllEquippable(const Game& game, Creature& creature);

// Every worn item comes off (its position bits cleared) and the race's
// armour class, resistances and damage rates are back.
void UnequipAll(const Game& game, Creature& creature);

// The slots whose items may be put on in a position, in slot order.
std::vector<int> EquipCandidates(const Game& game, const Creature& creature, Position position);
// The candidate list as the equipment window shows it ("1:* name"), ending
// with the row that leaves the position empty (slot 0).
struct CandidateRow {
    std::string Text;
    int Slot = 0;
};
std::vector<CandidateRow> CandidateRows(const Game& game, Creature& creature, Position position);
// A cursed item is stuck in the position: it cannot be entered.
bool PositionIsCursed(const Game& game, const Creature& creature, Position position);

enum class EquipOutcome {
    Emptied,  // the position was left empty
    Worn,
    Cursed,   // worn and stuck
    Refused,  // the other hand holds something cursed
};
// Takes off what the position holds and puts the slot's item on (slot 0:
// nothing), with the messages a curse or a tied hand gives. Defences are
// not recomputed here; the window does that when it closes.
EquipOutcome EquipItem(const Game& game, Player& player, Creature& creature, Position position,
                       int slot);

// Armour class, regeneration, resistances, damage rates and granted
// ability bits from the race up with every worn item on top, and the
// number of blows. Running it twice gives the same record.
void ApplyEquipment(const Game& game, Creature& creature);

}  // namespace kv
