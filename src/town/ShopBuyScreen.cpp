// Buying: the categories, the weapon types and the goods on a shelf.
#include "core/CommandMenus.h"
#include "town/Shop.h"
#include "town/ShopVisitScreen.h"
#include "ui/MainWindow.h"

namespace kv {

namespace {

class ShopBuyScreen : public Screen {
  public:
    explicit ShopBuyScreen(ShopVisit& visit) : visit_(visit) {}

    bool KeyDown(int keyCode, int) override { return visit_.TakeWayBack(keyCode); }

    void CarryOut(int row) override {
        ScreenContext& context = visit_.Context;
        switch (context.TheGame.MenuState) {
            case MenuStates::ShopBuy:
                Category(row);
                break;
            case MenuStates::ShopWeapons:
                if (row >= static_cast<int>(WeaponTypeRows.size())) {
                    visit_.ShowCategories();
                } else {
                    visit_.ShowGoods(MenuStates::ShopWeaponGoods, row + 1);
                }
                break;
            default:
                Buy(row, context.Main.lstCommandList.ItemData(row));
                break;
        }
    }

  private:
    void Category(int row) {
        if (row < 0 || row >= static_cast<int>(ShopCategories.size())) {
            visit_.ShowShopMenu();
        } else if (ShopCategories[static_cast<size_t>(row)].Kind == 0) {
            visit_.ShowWeaponTypes();
        } else {
            visit_.ShowGoods(MenuStates::ShopGoods, ShopCategories[static_cast<size_t>(row)].Kind);
        }
    }

    void Buy(int row, int item) {
        ScreenContext& context = visit_.Context;
        const int state = context.TheGame.MenuState;
        const bool weapons = state == MenuStates::ShopWeaponGoods;
        if (item < 0) {
            if (weapons) {
                visit_.ShowWeaponTypes(visit_.GoodsKey - 1);
            } else {
                visit_.ShowCategories(CategoryRow());
            }
            return;
        }
        const BuyResult bought =
            kv::Buy(context.TheGame, context.ThePlayer, visit_.Shopper(), item);
        if (bought == BuyResult::Refused) return;
        visit_.Done();
        if (bought == BuyResult::LastOne) row = 0;
        // The last piece sold out the shelf: back to the shop menu.
        if (!visit_.ShowGoods(state, visit_.GoodsKey, row, false)) visit_.ShowShopMenu();
    }

    int CategoryRow() const {
        for (size_t i = 0; i < ShopCategories.size(); ++i) {
            if (ShopCategories[i].Kind == visit_.GoodsKey) return static_cast<int>(i);
        }
        return 0;
    }

    ShopVisit& visit_;
};

}  // namespace

void InstallShopBuyScreen(ScreenContext& context, ShopVisit& visit) {
    ShopBuyScreen& buy = context.Install<ShopBuyScreen>(MenuStates::ShopBuy, visit);
    for (int state :
         {MenuStates::ShopWeapons, MenuStates::ShopGoods, MenuStates::ShopWeaponGoods}) {
        context.Register(state, buy);
    }
}

}  // namespace kv
