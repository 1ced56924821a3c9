#include "town/ShopScreen.h"

#include "core/CommandMenus.h"
#include "core/Settings.h"
#include "town/CastleScreen.h"
#include "town/Shop.h"
#include "town/ShopVisitScreen.h"
#include "town/TownScreen.h"
#include "ui/MainWindow.h"
#include "ui/Music.h"

namespace kv {

namespace {

// The shop menu (buy, sell, services, the party's gold, leave), after the
// party window has chosen who comes in. It keeps the visit the other shop
// screens share.
class ShopScreen : public Screen {
  public:
    explicit ShopScreen(ScreenContext& context) : context_(context), visit_(context) {}

    ShopVisit& Visit() { return visit_; }

    bool Open() override {
        context_.Music.PlayScene(SceneShop);
        context_.Main.SetCommandMenu(MenuStates::Shop);
        visit_.WaitForShopper();
        return true;
    }

    void CarryOut(int row) override {
        switch (row) {
            case BuyRow:
                visit_.ShowCategories();
                break;
            case SellRow:
                visit_.ShowSaleList(0);
                break;
            case CurseRow:
                visit_.ShowService(MenuStates::ShopCurse, 0);
                break;
            case IdentifyRow:
                visit_.ShowService(MenuStates::ShopIdentify, 0);
                break;
            case CollectRow:
                CollectPartyGold(context_.TheGame, context_.ThePlayer, visit_.Shopper());
                visit_.Done();
                break;
            case LeaveRow:
                visit_.WaitForShopper();
                break;
            default:
                break;
        }
    }

    void MemberChosen() override {
        Game& game = context_.TheGame;
        context_.Main.EndPartySelection();
        if (game.MenuState != MenuStates::Shop) return;
        visit_.ShopperSlot = game.CurrentChar;
        SetTownLabel(context_.Main,
                     "いらっしゃい　" + visit_.Shopper().Name + "　さん　今日は何のようだい？");
        context_.Main.SetCommandMenu(MenuStates::Shop);
    }

    void PartySelectionLeft() override {
        context_.Main.EndPartySelection();
        SetTownLabel(context_.Main, "");
        ShowCastle(context_);
    }

  private:
    ScreenContext& context_;
    ShopVisit visit_;
};

}  // namespace

void InstallShopScreen(ScreenContext& context) {
    ShopVisit& visit = context.Install<ShopScreen>(MenuStates::Shop, context).Visit();
    InstallShopBuyScreen(context, visit);
    InstallShopSellScreen(context, visit);
    InstallShopServiceScreen(context, visit);
}

}  // namespace kv
