#pragma once
// One visit to the shop, shared by the shop's screens (the shop menu, the
// buying lists, the sale list, the services): who is shopping, and the lists
// each of them puts up in the command menu when the player moves between
// them.
#include <string>
#include <string_view>
#include <vector>

#include "core/Creature.h"
#include "town/Shop.h"
#include "ui/ScreenContext.h"

namespace kv {

enum ShopMenuRow { BuyRow, SellRow, CurseRow, IdentifyRow, CollectRow, LeaveRow };

class ShopVisit {
  public:
    explicit ShopVisit(ScreenContext& context) : Context(context) {}

    ScreenContext& Context;
    int ShopperSlot = 0;
    int GoodsKey = 0;                 // the kind or weapon type of the goods shown
    std::vector<int32_t> SaleCounts;  // how many of each row of the sale list

    Creature& Shopper();
    // The party window picks who comes in; the menu waits.
    void WaitForShopper();
    void ShowShopMenu(int row = 0);
    void ShowCategories(int row = 0);
    void ShowWeaponTypes(int row = 0);
    // False when nothing of the kind is in stock (the menu stays; asked
    // from a menu the shopkeeper says so).
    bool ShowGoods(int state, int key, int row = 0, bool sayEmpty = true);
    void ShowSaleList(int row, bool sayEmpty = true);
    void ShowService(int state, int row, bool sayEmpty = true);
    // After a purchase, sale or service: the panel shows it and the game saves.
    void Done();
    // Esc and Backspace on the shop's lists take the way back at once.
    bool TakeWayBack(int keyCode);

  private:
    void ShowRows(int state, std::string caption, const std::vector<ShopRow>& rows,
                  std::string_view back, int row);
};

// The screens of each part of the shop, registered for their states.
void InstallShopBuyScreen(ScreenContext& context, ShopVisit& visit);
void InstallShopSellScreen(ScreenContext& context, ShopVisit& visit);
void InstallShopServiceScreen(ScreenContext& context, ShopVisit& visit);

}  // namespace kv
