// Selling: the shopper's items at half price, Left and Right choosing how
// many of a stack.
#include <algorithm>

#include "core/CommandMenus.h"
#include "platform/Keys.h"
#include "town/Shop.h"
#include "town/ShopVisitScreen.h"
#include "ui/MainWindow.h"

namespace kv {

namespace {

class ShopSellScreen : public Screen {
  public:
    explicit ShopSellScreen(ShopVisit& visit) : visit_(visit) {}

    bool KeyDown(int keyCode, int) override {
        ListEx& list = visit_.Context.Main.lstCommandList;
        if ((keyCode == Key::Left || keyCode == Key::Right) && list.Enabled && list.HasFocus()) {
            ChangeCount(keyCode == Key::Right ? 1 : -1);
            return true;
        }
        return visit_.TakeWayBack(keyCode);
    }

    void CarryOut(int row) override {
        ScreenContext& context = visit_.Context;
        const int slot = context.Main.lstCommandList.ItemData(row);
        const std::vector<int32_t>& counts = visit_.SaleCounts;
        if (slot < 0 || row < 0 || static_cast<size_t>(row) >= counts.size()) {
            visit_.ShowShopMenu(SellRow);
            return;
        }
        if (!Sell(context.TheGame, context.ThePlayer, visit_.Shopper(), slot,
                  counts[static_cast<size_t>(row)])) {
            return;
        }
        visit_.Done();
        visit_.ShowSaleList(row, false);
    }

  private:
    void ChangeCount(int by) {
        ListEx& list = visit_.Context.Main.lstCommandList;
        const int row = list.ListIndex();
        const int slot = list.ItemData(row);
        std::vector<int32_t>& counts = visit_.SaleCounts;
        if (row < 0 || slot < 1 || static_cast<size_t>(row) >= counts.size()) return;
        const InventorySlot& held = visit_.Shopper().Items[static_cast<size_t>(slot)];
        const int32_t count =
            std::clamp(counts[static_cast<size_t>(row)] + by, 1, std::max(1, held.ItemCount));
        counts[static_cast<size_t>(row)] = count;
        list.SetList(row, SaleRowText(visit_.Context.TheGame, visit_.Shopper(), slot, count));
    }

    ShopVisit& visit_;
};

}  // namespace

void InstallShopSellScreen(ScreenContext& context, ShopVisit& visit) {
    context.Install<ShopSellScreen>(MenuStates::ShopSell, visit);
}

}  // namespace kv
