#include "town/Shop.h"

#include <algorithm>

#include "character/Equipment.h"
#include "character/Inventory.h"
#include "character/RaceDefences.h"
#include "core/StringTable.h"
#include "core/TextFormat.h"

namespace kv {

namespace {

// Everything the shop says, the shopkeeper says under his name.
constexpr int32_t CurseMark = 0x80000;  // left by a failed identification

bool MayWear(const ItemDef& item, const Creature& c) {
    return (item.SexMask & c.Sex) != 0 && (item.ClassMask & c.Class) != 0 &&
           (item.AlignMask & c.Alignment) != 0 && (item.RaceMask & c.Race) != 0;
}

std::string TwoDigits(int n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

std::string Number(double value) {
    return std::to_string(static_cast<int64_t>(value));
}

const InventorySlot* HeldAt(const Creature& c, int slot) {
    if (slot < FirstInventorySlot || slot > LastInventorySlot) return nullptr;
    const InventorySlot& held = c.Items[static_cast<size_t>(slot)];
    return held.ItemId == 0 ? nullptr : &held;
}

// Half the price: what the shop pays for an item and charges for a service.
int32_t HalfPrice(const ItemDef& item) {
    return item.Price / 2;
}

}  // namespace

std::vector<ShopRow> GoodsRows(const Game& game, const Creature& shopper, bool byWeaponType,
                               int key) {
    std::vector<ShopRow> rows;
    for (int id = 1; id < ItemRows; ++id) {
        if (game.Stock[static_cast<size_t>(id)] <= 0) continue;
        const ItemDef& item = game.Items[static_cast<size_t>(id)];
        const bool listed = byWeaponType ? item.WeaponType == key : item.Kind == key;
        if (!listed) continue;
        const std::string mark = MayWear(item, shopper) ? "　" : "＃";
        rows.push_back({mark + Wide(FormatMask(item.Name, "!@@@@@@@@@@@@@@@@@@@") + "   " +
                                    FormatMask(std::to_string(item.Price), "@@@@@@@@")),
                        id});
    }
    return rows;
}

std::string GoodsPrompt(const Creature& shopper) {
    return "何をお買い上げですか？\n所持金 " + Wide(Number(shopper.Gold)) +
           "\nＥｎｔｅｒで購入  Ｅｓｃ or ＢＳで抜ける";
}

BuyResult Buy(Game& game, Player& player, Creature& shopper, int32_t itemId) {
    const DialogTitle shopkeeper(player, ResString(Str::ShopkeeperTitle));
    const ItemDef* item = FindItem(game, itemId);
    int32_t& stock = game.Stock[static_cast<size_t>(std::clamp(itemId, 0, ItemRows - 1))];
    if (item == nullptr || stock <= 0) return BuyResult::Refused;
    if (shopper.Gold < item->Price) {
        player.Message(ResString(Str::NotEnoughGold));
        return BuyResult::Refused;
    }
    if (AddItemToInventory(game, itemId, shopper, false, 1) != 0) {
        player.Message("アイテムが一杯ですよ\n何か売って下さい");
        return BuyResult::Refused;
    }
    shopper.Gold -= item->Price;
    stock -= 1;
    if (stock > 0) {
        player.Message("まいどありっ\n他にも何かいかがですか？");
        return BuyResult::Bought;
    }
    player.Message("まいどありっ\nこれが最後の一つですよ");
    return BuyResult::LastOne;
}

std::string SaleRowText(const Game& game, const Creature& shopper, int slot, int32_t count) {
    const InventorySlot* held = HeldAt(shopper, slot);
    const ItemDef* item = held == nullptr ? nullptr : FindItem(game, held->ItemId);
    if (item == nullptr) return "";
    std::string text = TwoDigits(slot) + " " +
                       FormatMask(ItemDisplayName(game, *held), "!@@@@@@@@@@@@@@@@") + "  ";
    text += IsStackable(*item)
                ? "× " + std::to_string(count) + "/" + std::to_string(held->ItemCount)
                : "     ";
    const int32_t price = (held->ItemFlags & Unidentified) ? 1 : HalfPrice(*item);
    return Wide(text + FormatMask(std::to_string(price), "@@@@@@@@"));
}

std::vector<ShopRow> SaleRows(const Game& game, const Creature& shopper) {
    std::vector<ShopRow> rows;
    for (int slot = FirstInventorySlot; slot <= LastInventorySlot; ++slot) {
        const std::string text = SaleRowText(game, shopper, slot, 1);
        if (!text.empty()) rows.push_back({text, slot});
    }
    return rows;
}

bool Sell(Game& game, Player& player, Creature& shopper, int slot, int32_t n) {
    const DialogTitle shopkeeper(player, ResString(Str::ShopkeeperTitle));
    const InventorySlot* held = HeldAt(shopper, slot);
    const ItemDef* item = held == nullptr ? nullptr : FindItem(game, held->ItemId);
    if (item == nullptr) return false;
    if (held->ItemFlags & CursedEquipped) {
        player.Message("呪われてますよ");
        return false;
    }
    if (held->ItemFlags & ItemPositionMask) {
        player.Message("装備してるものは引き取れませんよ");
        return false;
    }
    if (KindOf(*item) == ItemKind::EventItem) {
        player.Message("それはうちじゃ引き取れないよ");
        return false;
    }
    // Only a stack can be sold by more than one, and never more than it holds.
    n = IsStackable(*item) ? std::clamp(n, 1, std::max(1, held->ItemCount)) : 1;
    shopper.Gold += (held->ItemFlags & Unidentified) ? 1.0 : double(n) * HalfPrice(*item);
    // Items the shop never sells keep their negative stock.
    int32_t& stock = game.Stock[static_cast<size_t>(held->ItemId)];
    if (stock >= 0) stock += n;
    RemoveItemCount(shopper, slot, n);
    CompactInventory(shopper);
    MarkAllEquippable(game, shopper);
    player.Message("まいどあり");
    return true;
}

std::vector<ShopRow> ServiceRows(const Game& game, const Creature& shopper, ShopService service) {
    const int32_t wanted = service == ShopService::RemoveCurse ? CursedEquipped : Unidentified;
    std::vector<ShopRow> rows;
    for (int slot = FirstInventorySlot; slot <= LastInventorySlot; ++slot) {
        const InventorySlot* held = HeldAt(shopper, slot);
        const ItemDef* item = held == nullptr ? nullptr : FindItem(game, held->ItemId);
        if (item == nullptr || (held->ItemFlags & wanted) == 0) continue;
        rows.push_back({Wide(TwoDigits(slot) + " " +
                             FormatMask(ItemDisplayName(game, *held), "!@@@@@@@@@@@@@@@@@@@") +
                             "  " + FormatMask(std::to_string(HalfPrice(*item)), "@@@@@@@@")),
                        slot});
    }
    return rows;
}

bool RemoveCurse(Game& game, Player& player, Creature& shopper, int slot) {
    const DialogTitle shopkeeper(player, ResString(Str::ShopkeeperTitle));
    const InventorySlot* held = HeldAt(shopper, slot);
    const ItemDef* item = held == nullptr ? nullptr : FindItem(game, held->ItemId);
    if (item == nullptr || (held->ItemFlags & CursedEquipped) == 0) return false;
    const int32_t fee = HalfPrice(*item);
    if (fee > shopper.Gold) {
        player.Message(std::string(ResString(Str::NotEnoughGold)) + "\nもっと稼いできて下さい");
        return false;
    }
    shopper.Gold -= fee;
    RemoveItemCount(shopper, slot, 1);
    ResetRaceDefences(game, shopper);
    ApplyEquipment(game, shopper);
    player.Message("呪いを解きました");
    return true;
}

bool IdentifyAtShop(Game& game, Player& player, Creature& shopper, int slot) {
    const DialogTitle shopkeeper(player, ResString(Str::ShopkeeperTitle));
    const InventorySlot* held = HeldAt(shopper, slot);
    const ItemDef* item = held == nullptr ? nullptr : FindItem(game, held->ItemId);
    if (item == nullptr || (held->ItemFlags & Unidentified) == 0) return false;
    const int32_t fee = HalfPrice(*item);
    if (fee > shopper.Gold) {
        player.Message(std::string(ResString(Str::NotEnoughGold)) + "\nもっと稼いできて下さい");
        return false;
    }
    shopper.Gold -= fee;
    shopper.Items[static_cast<size_t>(slot)].ItemFlags &= ~Unidentified;
    player.Message(std::string(ResString(Str::Identified)) + "\n\n" + item->Name);
    return true;
}

void NothingCursed(Player& player, Creature& shopper) {
    const DialogTitle shopkeeper(player, ResString(Str::ShopkeeperTitle));
    shopper.Status &= ~CurseMark;
    player.Message("呪われてませんよ");
}

double CollectPartyGold(Game& game, Player& player, Creature& shopper) {
    const DialogTitle shopkeeper(player, ResString(Str::ShopkeeperTitle));
    double total = 0;
    for (int i = 1; i <= game.PartyCount; ++i) {
        Creature& member = game.Roster[static_cast<size_t>(game.PartyList[static_cast<size_t>(i)])];
        total += member.Gold;
        member.Gold = 0;
    }
    total = static_cast<double>(static_cast<int64_t>(total));
    shopper.Gold += total;
    player.Message("お金を一人占めしました\n" + Wide(Number(total)) + "Ｇ持っています");
    return total;
}

}  // namespace kv
