#include "town/ShopScreen.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/CommandMenus.h"
#include "core/Settings.h"
#include "core/StringTable.h"
#include "core/TextFormat.h"
#include "platform/Keys.h"
#include "town/CastleScreen.h"
#include "town/Shop.h"
#include "town/TownScreen.h"
#include "ui/MainWindow.h"
#include "ui/Music.h"

namespace kv {

namespace {

enum ShopMenuRow { BuyRow, SellRow, CurseRow, IdentifyRow, CollectRow, LeaveRow };

constexpr std::string_view WhoComesIn =
    "誰が入りますか？ 番号を選んで下さい\n\nＥＳＣ or ＢＳで抜ける";
constexpr std::string_view BuyCaption = "どれをお求めになりますか？";

class ShopScreen : public Screen {
  public:
    explicit ShopScreen(ScreenContext& context) : context_(context) {}

    bool Open() override {
        context_.Music.PlayScene(SceneShop);
        context_.Main.SetCommandMenu(MenuStates::Shop);
        WaitForShopper();
        return true;
    }

    bool KeyDown(int keyCode, int) override {
        const int state = context_.TheGame.MenuState;
        ListEx& list = context_.Main.lstCommandList;
        if (!list.Enabled || !list.HasFocus()) return false;
        if ((Key::IsBack(keyCode)) && state != MenuStates::Shop) {
            // On the shop's lists the way back is taken at once.
            if (list.ListCount() == 0) return false;
            list.SetListIndex(list.ListCount() - 1);
            CarryOut(list.ListIndex());
            return true;
        }
        if (state == MenuStates::ShopSell && (keyCode == Key::Left || keyCode == Key::Right)) {
            ChangeSaleCount(keyCode == Key::Right ? 1 : -1);
            return true;
        }
        return false;
    }

    void CarryOut(int row) override {
        const int value = context_.Main.lstCommandList.ItemData(row);
        switch (context_.TheGame.MenuState) {
            case MenuStates::Shop:
                ShopMenu(row);
                break;
            case MenuStates::ShopBuy:
                Category(row);
                break;
            case MenuStates::ShopWeapons:
                if (row >= static_cast<int>(WeaponTypeRows.size())) {
                    ShowCategories();
                } else {
                    ShowGoods(MenuStates::ShopWeaponGoods, row + 1);
                }
                break;
            case MenuStates::ShopGoods:
            case MenuStates::ShopWeaponGoods:
                BuyRowItem(row, value);
                break;
            case MenuStates::ShopSell:
                SellRowItem(row, value);
                break;
            case MenuStates::ShopCurse:
            case MenuStates::ShopIdentify:
                Service(value);
                break;
            default:
                break;
        }
    }

    void MemberChosen() override {
        Game& game = context_.TheGame;
        context_.Main.EndPartySelection();
        if (game.MenuState != MenuStates::Shop) return;
        shopper_ = game.CurrentChar;
        SetTownLabel(context_.Main,
                     "いらっしゃい　" + Shopper().Name + "　さん　今日は何のようだい？");
        context_.Main.SetCommandMenu(MenuStates::Shop);
    }

    void PartySelectionLeft() override {
        context_.Main.EndPartySelection();
        SetTownLabel(context_.Main, "");
        ShowCastle(context_);
    }

  private:
    Creature& Shopper() { return context_.TheGame.Roster[static_cast<size_t>(shopper_)]; }

    void WaitForShopper() {
        MainWindow& main = context_.Main;
        main.lstCommandList.SetListIndex(-1);
        SetTownLabel(main, WhoComesIn);
        main.BeginPartySelection();
    }

    void ShowShopMenu(int row = 0) {
        SetTownLabel(context_.Main,
                     "いらっしゃい " + Shopper().Name + "　さん   今日はどのようなご用件で？");
        context_.Main.SetCommandMenu(MenuStates::Shop, row);
    }

    void ShopMenu(int row) {
        Game& game = context_.TheGame;
        Player& player = context_.ThePlayer;
        switch (row) {
            case BuyRow:
                ShowCategories();
                break;
            case SellRow:
                ShowSaleList(0);
                break;
            case CurseRow:
                ShowService(MenuStates::ShopCurse, 0);
                break;
            case IdentifyRow:
                ShowService(MenuStates::ShopIdentify, 0);
                break;
            case CollectRow:
                CollectPartyGold(game, player, Shopper());
                context_.Main.RefreshPartyPanel();
                context_.Save();
                break;
            case LeaveRow:
                WaitForShopper();
                break;
            default:
                break;
        }
    }

    void ShowCategories(int row = 0) {
        CommandMenu menu{std::string(BuyCaption), {}};
        for (const ShopCategory& category : ShopCategories) menu.Rows.emplace_back(category.Row);
        menu.Rows.emplace_back(ShopCategoryBack);
        SetTownLabel(context_.Main, "所持金 " + GoldText() + "\n何をお買い上げですか？");
        context_.Main.SetCommandMenu(MenuStates::ShopBuy, menu, row);
    }

    void Category(int row) {
        if (row < 0 || row >= static_cast<int>(ShopCategories.size())) {
            ShowShopMenu();
        } else if (ShopCategories[static_cast<size_t>(row)].Kind == 0) {
            ShowWeaponTypes();
        } else {
            ShowGoods(MenuStates::ShopGoods, ShopCategories[static_cast<size_t>(row)].Kind);
        }
    }

    void ShowWeaponTypes(int row = 0) {
        CommandMenu menu{std::string(BuyCaption), {}};
        for (std::string_view type : WeaponTypeRows) menu.Rows.emplace_back(type);
        menu.Rows.emplace_back(ShopCategoryBack);
        context_.Main.SetCommandMenu(MenuStates::ShopWeapons, menu, row);
    }

    // False when nothing of the kind is in stock (the menu stays; asked
    // from a menu the shopkeeper says so).
    bool ShowGoods(int state, int key, int row = 0, bool sayEmpty = true) {
        const std::vector<ShopRow> goods =
            GoodsRows(context_.TheGame, Shopper(), state == MenuStates::ShopWeaponGoods, key);
        if (goods.empty()) {
            if (sayEmpty) context_.ThePlayer.Message("その種類は在庫がありません");
            return false;
        }
        goodsKey_ = key;
        ShowRows(state, std::string(BuyCaption), goods, GoodsBack, row);
        SetTownLabel(context_.Main, GoodsPrompt(Shopper()));
        return true;
    }

    void BuyRowItem(int row, int value) {
        const int state = context_.TheGame.MenuState;
        const int backRow = state == MenuStates::ShopWeaponGoods ? goodsKey_ - 1 : CategoryRow();
        if (value < 0) {
            if (state == MenuStates::ShopWeaponGoods) {
                ShowWeaponTypes(backRow);
            } else {
                ShowCategories(backRow);
            }
            return;
        }
        const BuyResult bought = Buy(context_.TheGame, context_.ThePlayer, Shopper(), value);
        if (bought == BuyResult::Refused) return;
        context_.Main.RefreshPartyPanel();
        context_.Save();
        if (bought == BuyResult::LastOne) row = 0;
        // The last piece sold out the shelf: back to the shop menu.
        if (!ShowGoods(state, goodsKey_, row, false)) ShowShopMenu();
    }

    int CategoryRow() const {
        for (size_t i = 0; i < ShopCategories.size(); ++i) {
            if (ShopCategories[i].Kind == goodsKey_) return static_cast<int>(i);
        }
        return 0;
    }

    void ShowSaleList(int row, bool sayEmpty = true) {
        const std::vector<ShopRow> rows = SaleRows(context_.TheGame, Shopper());
        if (rows.empty()) {
            if (sayEmpty) context_.ThePlayer.Message("アンタ、売れるもの何も持ってないよ");
            ShowShopMenu(SellRow);
            return;
        }
        saleCounts_.assign(rows.size(), 1);
        ShowRows(MenuStates::ShopSell, "", rows, ServiceBack,
                 std::min<int>(row, static_cast<int>(rows.size()) - 1));
        SetTownLabel(context_.Main,
                     "何を売ってくれますか？\n\nＥｎｔｅｒで売却  Ｅｓｃ or ＢＳで抜ける");
    }

    void ChangeSaleCount(int by) {
        ListEx& list = context_.Main.lstCommandList;
        const int row = list.ListIndex();
        const int slot = list.ItemData(row);
        if (row < 0 || slot < 1 || static_cast<size_t>(row) >= saleCounts_.size()) return;
        const InventorySlot& held = Shopper().Items[static_cast<size_t>(slot)];
        const int32_t count =
            std::clamp(saleCounts_[static_cast<size_t>(row)] + by, 1, std::max(1, held.ItemCount));
        saleCounts_[static_cast<size_t>(row)] = count;
        list.SetList(row, SaleRowText(context_.TheGame, Shopper(), slot, count));
    }

    void SellRowItem(int row, int slot) {
        if (slot < 0 || static_cast<size_t>(row) >= saleCounts_.size()) {
            ShowShopMenu(SellRow);
            return;
        }
        if (!Sell(context_.TheGame, context_.ThePlayer, Shopper(), slot,
                  saleCounts_[static_cast<size_t>(row)])) {
            return;
        }
        context_.Main.RefreshPartyPanel();
        context_.Save();
        ShowSaleList(row, false);
    }

    void ShowService(int state, int row, bool sayEmpty = true) {
        const ShopService service =
            state == MenuStates::ShopCurse ? ShopService::RemoveCurse : ShopService::Identify;
        const std::vector<ShopRow> rows = ServiceRows(context_.TheGame, Shopper(), service);
        const int menuRow = service == ShopService::RemoveCurse ? CurseRow : IdentifyRow;
        if (rows.empty() && !sayEmpty) {
            ShowShopMenu(service == ShopService::RemoveCurse ? CurseRow : IdentifyRow);
            return;
        }
        if (rows.empty()) {
            if (service == ShopService::RemoveCurse) {
                NothingCursed(context_.ThePlayer, Shopper());
            } else {
                context_.ThePlayer.Message("すべて識別されてます");
            }
            ShowShopMenu(menuRow);
            return;
        }
        ShowRows(state, "", rows, ServiceBack,
                 std::min<int>(row, static_cast<int>(rows.size()) - 1));
        const std::string_view prompt = service == ShopService::RemoveCurse
                                            ? "どの呪いを解きますか？"
                                            : ResString(Str::IdentifyPrompt);
        SetTownLabel(context_.Main,
                     std::string(prompt) + std::string(ResString(Str::EnterOrLeave)));
    }

    void Service(int slot) {
        const int state = context_.TheGame.MenuState;
        if (slot < 0) {
            ShowShopMenu(state == MenuStates::ShopCurse ? CurseRow : IdentifyRow);
            return;
        }
        Game& game = context_.TheGame;
        const bool done = state == MenuStates::ShopCurse
                              ? RemoveCurse(game, context_.ThePlayer, Shopper(), slot)
                              : IdentifyAtShop(game, context_.ThePlayer, Shopper(), slot);
        if (!done) return;
        context_.Main.RefreshPartyPanel();
        context_.Save();
        ShowService(state, context_.Main.lstCommandList.ListIndex(), false);
    }

    void ShowRows(int state, std::string caption, const std::vector<ShopRow>& rows,
                  std::string_view back, int row) {
        CommandMenu menu{std::move(caption), {}};
        std::vector<int32_t> data;
        for (const ShopRow& shopRow : rows) {
            menu.Rows.push_back(shopRow.Text);
            data.push_back(shopRow.Value);
        }
        menu.Rows.emplace_back(back);
        data.push_back(-1);
        context_.Main.SetCommandMenu(state, menu, row, data);
    }

    std::string GoldText() { return Wide(std::to_string(static_cast<int64_t>(Shopper().Gold))); }

    ScreenContext& context_;
    int shopper_ = 0;
    int goodsKey_ = 0;
    std::vector<int32_t> saleCounts_;
};

}  // namespace

void InstallShopScreen(ScreenContext& context) {
    ShopScreen& shop = context.Install<ShopScreen>(MenuStates::Shop, context);
    for (int state : {MenuStates::ShopBuy, MenuStates::ShopWeapons, MenuStates::ShopGoods,
                      MenuStates::ShopWeaponGoods, MenuStates::ShopSell, MenuStates::ShopCurse,
                      MenuStates::ShopIdentify}) {
        context.Register(state, shop);
    }
}

}  // namespace kv
