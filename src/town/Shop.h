#pragma once
// The shop: goods on the shelves by category and weapon type, buying and
// selling against the per-item stock, the curse and identification services,
// and collecting the party's gold into one purse. One party member shops at a
// time and pays from his own gold; the stock is saved with the game.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/Game.h"
#include "core/Player.h"

namespace kv {

// The category menu: each row lists one item kind; the weapons row (kind 0)
// opens the weapon-type menu instead.
struct ShopCategory {
    std::string_view Row;
    int16_t Kind;
};
inline constexpr std::array<ShopCategory, 11> ShopCategories = {{
    {"W)武器", 0},
    {"A)鎧", 3},
    {"S)盾", 2},
    {"H)兜", 6},
    {"G)小手", 4},
    {"B)靴", 5},
    {"C)アクセサリ", 7},
    {"M)楽器", 9},
    {"O)護符・宝珠", 12},
    {"T)マテリアル", 10},
    {"I)その他", 8},
}};
inline constexpr std::string_view ShopCategoryBack = "L)戻る";

// The weapon-type menu: row n (from 1) lists weapons of WeaponType n.
inline constexpr std::array<std::string_view, 13> WeaponTypeRows = {
    "W)剣",   "S)短剣", "B)刀",     "O)弓", "A)斧",   "Y)槍", "P)宝貝",
    "T)投擲", "D)魔剣", "M)メイス", "F)杖", "G)格闘", "C)鎌"};

inline constexpr std::string_view GoodsBack = "前に戻る";
inline constexpr std::string_view ServiceBack = "戻る";

// One row of a shop list: the text shown and what it stands for (an item
// number, an inventory slot); the back row carries -1.
struct ShopRow {
    std::string Text;
    int32_t Value = -1;
};

// What a shopper may buy: the items in stock of a kind (byWeaponType false)
// or of a weapon type (true), marked "＃" when he may not wear them. Empty
// when nothing is in stock (the back row is not included).
std::vector<ShopRow> GoodsRows(const Game& game, const Creature& shopper, bool byWeaponType,
                               int key);
// The label over the goods list: the shopper's gold and the keys.
std::string GoodsPrompt(const Creature& shopper);

enum class BuyResult { Refused, Bought, LastOne };
// Buys one identified piece of an item for the shopper, with the shop's
// messages; nothing changes on a refusal.
BuyResult Buy(Game& game, Player& player, Creature& shopper, int32_t itemId);

// The selling list: one row per filled slot (Value = slot); count is the
// number to sell of a stack (1 for everything else).
std::string SaleRowText(const Game& game, const Creature& shopper, int slot, int32_t count);
std::vector<ShopRow> SaleRows(const Game& game, const Creature& shopper);
// Sells n pieces of a slot; false (with the reason shown) when the shop
// will not take it.
bool Sell(Game& game, Player& player, Creature& shopper, int slot, int32_t n);

// The curse-removal and identification lists (Value = slot).
enum class ShopService { RemoveCurse, Identify };
std::vector<ShopRow> ServiceRows(const Game& game, const Creature& shopper, ShopService service);
// Removes the worn cursed item of a slot for half its price.
bool RemoveCurse(Game& game, Player& player, Creature& shopper, int slot);
// Identifies the item of a slot for half its price.
bool IdentifyAtShop(Game& game, Player& player, Creature& shopper, int slot);
// The curse list with nothing cursed: the curse mark a failed identification
// left is lifted as well.
void NothingCursed(Player& player, Creature& shopper);

// Every party member's gold into the shopper's purse; the total.
double CollectPartyGold(Game& game, Player& player, Creature& shopper);

}  // namespace kv
