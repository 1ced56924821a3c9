#include "ui/CharacterItems.h"

#include "core/Game.h"

namespace kv {

std::string ItemRowNumber(int n) {
    static constexpr char Digits[] = "0123456789ABCDEF";
    if (n <= 0) return "0";
    std::string out;
    for (; n > 0; n /= 16) out.insert(out.begin(), Digits[n % 16]);
    return out;
}

std::string_view ItemRowMarker(const InventorySlot& slot) {
    if ((slot.ItemFlags & CursedEquipped) != 0) return "- ";
    if ((slot.ItemFlags & Unidentified) != 0) return "? ";
    if ((slot.ItemFlags & CannotEquip) != 0) return "# ";
    if (slot.ItemFlags >= 1 && slot.ItemFlags <= 8) return "* ";
    return "  ";
}

std::string ItemRowName(const Game& game, const InventorySlot& slot) {
    if (slot.ItemId < 0 || static_cast<size_t>(slot.ItemId) >= game.Items.size()) return "";
    const ItemDef& item = game.Items[static_cast<size_t>(slot.ItemId)];
    return (slot.ItemFlags & Unidentified) != 0 ? item.UnidentifiedName : item.Name;
}

std::vector<ItemRow> CharacterItemRows(const Game& game, int rosterSlot, bool withMarker) {
    std::vector<ItemRow> rows;
    if (rosterSlot < 0 || static_cast<size_t>(rosterSlot) >= game.Roster.size()) return rows;
    const Creature& who = game.Roster[static_cast<size_t>(rosterSlot)];
    for (int slot = FirstItemSlot; slot <= LastItemSlot; ++slot) {
        const InventorySlot& held = who.Items[static_cast<size_t>(slot)];
        if (held.ItemId == 0) continue;
        std::string text = ItemRowNumber(static_cast<int>(rows.size()) + 1) + ":";
        if (withMarker) text += ItemRowMarker(held);
        text += ItemRowName(game, held);
        rows.push_back({slot, std::move(text)});
    }
    return rows;
}

}  // namespace kv
