// The autopilot at the shop: each member enters with his own purse and buys
// his share of the list (what he cannot pay for is left on the shelf), then
// at the tavern each opens his status window and puts on what he bought.
#include <algorithm>

#include "character/Equipment.h"
#include "core/CommandMenus.h"
#include "items/EquipWindow.h"
#include "items/StatusWindow.h"
#include "playthrough/Pilot.h"
#include "town/Shop.h"
#include "ui/MainWindow.h"
#include "ui/WindowManager.h"

namespace kv::playthrough {

namespace {

// The row of a list chosen from its top: robust whatever row was current.
std::string Pick(int row) {
    std::string keys = "Home ";
    for (int i = 0; i < row; ++i) keys += "Down ";
    return keys + "Enter";
}

int Held(const Creature& c, int item) {
    int count = 0;
    for (const InventorySlot& s : c.Items)
        if (s.ItemId == item) count += s.ItemCount;
    return count;
}

// The pack slot of an item not yet worn; 0 when there is none.
int Unworn(const Creature& c, int item) {
    for (int s = 1; s < static_cast<int>(c.Items.size()); ++s) {
        const InventorySlot& held = c.Items[static_cast<size_t>(s)];
        if (held.ItemId == item && WornPosition(held) == Position::None) return s;
    }
    return 0;
}

}  // namespace

std::string Pilot::Outfit(const Goal& goal) {
    if (!outfitting_) {
        Note(goal.Comment);
        outfitting_ = true;
        buys_.clear();
        for (const Purchase& p : goal.Buys) {
            if (p.Class == 0) {
                buys_.push_back(p);
                continue;
            }
            for (int i = 1; i <= game_.PartyCount; ++i) {
                const Creature* c = game_.Member(i);
                if (c != nullptr && c->Class == p.Class) buys_.push_back({i, p.Item, 0});
            }
        }
        toWear_.clear();
    }
    if (!buys_.empty()) return Shop();
    // Out of the shop: its lists step back, its menu sends the shopper out,
    // the question who comes in is left for the castle.
    const int state = game_.MenuState;
    if (state == MenuStates::Shop) {
        return Press(main_.lstCommandList.Enabled ? "L Enter" : "Esc");
    }
    if (state != MenuStates::Castle && state != MenuStates::Tavern) return Press("Esc");
    if (!toWear_.empty()) return Wear();
    if (windows_.Top() != &main_) return Press("Esc");
    outfitting_ = false;
    plan_.pop_front();
    keysOnGoal_ = 0;
    return Next();
}

std::string Pilot::Shop() {
    const Purchase p = buys_.front();
    const Creature* c = game_.Member(p.Member);
    const ItemDef& item = game_.Items[static_cast<size_t>(p.Item)];
    const int kind = item.Kind & 255;
    const bool enough = p.Item == HerbId && c != nullptr && Held(*c, HerbId) >= HerbsCarried;
    if (c == nullptr || enough || c->Gold < item.Price ||
        game_.Stock[static_cast<size_t>(p.Item)] <= 0) {
        buys_.pop_front();
        return buys_.empty() ? Outfit(Goal{}) : Shop();
    }
    const int state = game_.MenuState;
    const int shopper = game_.PartyList[static_cast<size_t>(p.Member)];
    if (state == MenuStates::Castle) return Press("M Enter");
    if (state == MenuStates::Shop) {
        if (!main_.lstCommandList.Enabled) {
            Note("the shop: " + c->Name + " buys with his own gold");
            return Press(std::to_string(p.Member));
        }
        return Press(game_.CurrentChar == shopper ? "B Enter" : "L Enter");
    }
    // Another member is in the shop: his lists step back to the shop's menu.
    if (game_.CurrentChar != shopper) return Press("Esc");
    if (state == MenuStates::ShopBuy) {
        for (size_t row = 0; row < ShopCategories.size(); ++row) {
            const int shelf = ShopCategories[row].Kind;
            if (shelf == kind || (shelf == 0 && kind == 1))
                return Press(Pick(static_cast<int>(row)));
        }
        stall_ = "the shop has no shelf for " + item.Name;
        return "";
    }
    if (state == MenuStates::ShopWeapons) {
        return Press(kind == 1 ? Pick(item.WeaponType - 1) : "Esc");
    }
    if (state == MenuStates::ShopGoods || state == MenuStates::ShopWeaponGoods) {
        const ListEx& list = main_.lstCommandList;
        for (int row = 0; row < list.ListCount(); ++row) {
            if (list.ItemData(row) != p.Item) continue;
            buys_.pop_front();
            if (kind >= 1 && kind <= 6) toWear_.push_back(p);
            return Press(Pick(row));
        }
        return Press("Esc");
    }
    return Press("Esc");
}

// At the tavern: the member's status window, its equipment window, the
// position and the piece bought for it.
std::string Pilot::Wear() {
    const Purchase p = toWear_.front();
    Creature* c = game_.Member(p.Member);
    const int slot = c == nullptr ? 0 : Unworn(*c, p.Item);
    if (slot == 0) {
        toWear_.pop_front();
        return toWear_.empty() ? Outfit(Goal{}) : Wear();
    }
    const bool mine = game_.CurrentChar == game_.PartyList[static_cast<size_t>(p.Member)];
    if (dynamic_cast<EquipWindow*>(windows_.Top()) != nullptr) {
        if (!mine) return Press("Esc");
        const auto position =
            static_cast<Position>(game_.Items[static_cast<size_t>(p.Item)].Kind & 255);
        int positionRow = 0;
        while (PositionRows[static_cast<size_t>(positionRow)].Code != position) ++positionRow;
        const std::vector<CandidateRow> rows = CandidateRows(game_, *c, position);
        const auto found = std::find_if(rows.begin(), rows.end(),
                                        [slot](const CandidateRow& r) { return r.Slot == slot; });
        toWear_.pop_front();
        if (found == rows.end()) return Press("Esc");  // not for him after all: left in the pack
        Note(c->Name + " puts on " + game_.Items[static_cast<size_t>(p.Item)].Name);
        return Press(Pick(positionRow) + "  " + Pick(static_cast<int>(found - rows.begin())));
    }
    if (dynamic_cast<StatusWindow*>(windows_.Top()) != nullptr)
        return Press(mine ? "E Enter" : "Esc");
    if (windows_.Top() != &main_) return Press("Esc");
    if (game_.MenuState == MenuStates::Tavern) {
        if (main_.lstCommandList.Enabled) return Press("I Enter");
        return Press(std::to_string(p.Member));
    }
    if (game_.MenuState == MenuStates::Castle) return Press("G Enter");
    return Press("Esc");
}

}  // namespace kv::playthrough
