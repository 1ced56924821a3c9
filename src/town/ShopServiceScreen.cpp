// The shop's services: curses removed and items identified, for a fee.
#include "core/CommandMenus.h"
#include "town/Shop.h"
#include "town/ShopVisitScreen.h"
#include "ui/MainWindow.h"

namespace kv {

namespace {

class ShopServiceScreen : public Screen {
  public:
    explicit ShopServiceScreen(ShopVisit& visit) : visit_(visit) {}

    bool KeyDown(int keyCode, int) override { return visit_.TakeWayBack(keyCode); }

    void CarryOut(int row) override {
        ScreenContext& context = visit_.Context;
        Game& game = context.TheGame;
        const int state = game.MenuState;
        const bool curse = state == MenuStates::ShopCurse;
        const int slot = context.Main.lstCommandList.ItemData(row);
        if (slot < 0) {
            visit_.ShowShopMenu(curse ? CurseRow : IdentifyRow);
            return;
        }
        const bool done = curse ? RemoveCurse(game, context.ThePlayer, visit_.Shopper(), slot)
                                : IdentifyAtShop(game, context.ThePlayer, visit_.Shopper(), slot);
        if (!done) return;
        visit_.Done();
        visit_.ShowService(state, context.Main.lstCommandList.ListIndex(), false);
    }

  private:
    ShopVisit& visit_;
};

}  // namespace

void InstallShopServiceScreen(ScreenContext& context, ShopVisit& visit) {
    ShopServiceScreen& service = context.Install<ShopServiceScreen>(MenuStates::ShopCurse, visit);
    context.Register(MenuStates::ShopIdentify, service);
}

}  // namespace kv
