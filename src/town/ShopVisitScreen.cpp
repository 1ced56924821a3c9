#include "town/ShopVisitScreen.h"

#include <algorithm>
#include <utility>

#include "core/CommandMenus.h"
#include "core/StringTable.h"
#include "core/TextFormat.h"
#include "platform/Keys.h"
#include "town/TownScreen.h"
#include "ui/MainWindow.h"

namespace kv {

namespace {

constexpr std::string_view WhoComesIn =
    "誰が入りますか？ 番号を選んで下さい\n\nＥＳＣ or ＢＳで抜ける";
constexpr std::string_view BuyCaption = "どれをお求めになりますか？";

}  // namespace

Creature& ShopVisit::Shopper() {
    return Context.TheGame.Roster[static_cast<size_t>(ShopperSlot)];
}

void ShopVisit::WaitForShopper() {
    MainWindow& main = Context.Main;
    main.lstCommandList.SetListIndex(-1);
    SetTownLabel(main, WhoComesIn);
    main.BeginPartySelection();
}

void ShopVisit::ShowShopMenu(int row) {
    SetTownLabel(Context.Main,
                 "いらっしゃい " + Shopper().Name + "　さん   今日はどのようなご用件で？");
    Context.Main.SetCommandMenu(MenuStates::Shop, row);
}

void ShopVisit::ShowCategories(int row) {
    CommandMenu menu{std::string(BuyCaption), {}};
    for (const ShopCategory& category : ShopCategories) menu.Rows.emplace_back(category.Row);
    menu.Rows.emplace_back(ShopCategoryBack);
    const std::string gold = Wide(std::to_string(static_cast<int64_t>(Shopper().Gold)));
    SetTownLabel(Context.Main, "所持金 " + gold + "\n何をお買い上げですか？");
    Context.Main.SetCommandMenu(MenuStates::ShopBuy, menu, row);
}

void ShopVisit::ShowWeaponTypes(int row) {
    CommandMenu menu{std::string(BuyCaption), {}};
    for (std::string_view type : WeaponTypeRows) menu.Rows.emplace_back(type);
    menu.Rows.emplace_back(ShopCategoryBack);
    Context.Main.SetCommandMenu(MenuStates::ShopWeapons, menu, row);
}

bool ShopVisit::ShowGoods(int state, int key, int row, bool sayEmpty) {
    const std::vector<ShopRow> goods =
        GoodsRows(Context.TheGame, Shopper(), state == MenuStates::ShopWeaponGoods, key);
    if (goods.empty()) {
        if (sayEmpty) Context.ThePlayer.Message("その種類は在庫がありません");
        return false;
    }
    GoodsKey = key;
    ShowRows(state, std::string(BuyCaption), goods, GoodsBack, row);
    SetTownLabel(Context.Main, GoodsPrompt(Shopper()));
    return true;
}

void ShopVisit::ShowSaleList(int row, bool sayEmpty) {
    const std::vector<ShopRow> rows = SaleRows(Context.TheGame, Shopper());
    if (rows.empty()) {
        if (sayEmpty) Context.ThePlayer.Message("アンタ、売れるもの何も持ってないよ");
        ShowShopMenu(SellRow);
        return;
    }
    SaleCounts.assign(rows.size(), 1);
    ShowRows(MenuStates::ShopSell, "", rows, ServiceBack,
             std::min<int>(row, static_cast<int>(rows.size()) - 1));
    SetTownLabel(Context.Main,
                 "何を売ってくれますか？\n\nＥｎｔｅｒで売却  Ｅｓｃ or ＢＳで抜ける");
}

void ShopVisit::ShowService(int state, int row, bool sayEmpty) {
    const ShopService service =
        state == MenuStates::ShopCurse ? ShopService::RemoveCurse : ShopService::Identify;
    const std::vector<ShopRow> rows = ServiceRows(Context.TheGame, Shopper(), service);
    const int menuRow = service == ShopService::RemoveCurse ? CurseRow : IdentifyRow;
    if (rows.empty()) {
        if (sayEmpty && service == ShopService::RemoveCurse) {
            NothingCursed(Context.ThePlayer, Shopper());
        } else if (sayEmpty) {
            Context.ThePlayer.Message("すべて識別されてます");
        }
        ShowShopMenu(menuRow);
        return;
    }
    ShowRows(state, "", rows, ServiceBack, std::min<int>(row, static_cast<int>(rows.size()) - 1));
    const std::string_view prompt = service == ShopService::RemoveCurse
                                        ? "どの呪いを解きますか？"
                                        : ResString(Str::IdentifyPrompt);
    SetTownLabel(Context.Main, std::string(prompt) + std::string(ResString(Str::EnterOrLeave)));
}

void ShopVisit::Done() {
    Context.Main.RefreshPartyPanel();
    Context.Save();
}

bool ShopVisit::TakeWayBack(int keyCode) {
    ListEx& list = Context.Main.lstCommandList;
    if (!Key::IsBack(keyCode) || !list.Enabled || !list.HasFocus() || list.ListCount() == 0) {
        return false;
    }
    list.SetListIndex(list.ListCount() - 1);
    Context.Main.ScreenFor(Context.TheGame.MenuState)->CarryOut(list.ListIndex());
    return true;
}

void ShopVisit::ShowRows(int state, std::string caption, const std::vector<ShopRow>& rows,
                         std::string_view back, int row) {
    CommandMenu menu{std::move(caption), {}};
    std::vector<int32_t> data;
    for (const ShopRow& shopRow : rows) {
        menu.Rows.push_back(shopRow.Text);
        data.push_back(shopRow.Value);
    }
    menu.Rows.emplace_back(back);
    data.push_back(-1);
    Context.Main.SetCommandMenu(state, menu, row, data);
}

}  // namespace kv
