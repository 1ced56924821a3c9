#include "dungeon/ChestItems.h"

#include <string>

#include "character/Inventory.h"
#include "character/PartyMembers.h"
#include "core/Dice.h"

namespace kv {

namespace {

constexpr int ChestItemRows = 50;
constexpr int ChestItemColumn = 51;  // element r + 51 is row r's item
constexpr int LastItem = 2000;
constexpr int DropOdds = 5;
constexpr const char* GotText = "を手に入れた";
constexpr const char* PartyFullText = "パーティーの持ち物はいっぱいだった";

// One piece to the first member with room; false when nobody has any.
bool Give(Game& game, Player& player, int32_t itemId) {
    const ItemDef* item = FindItem(game, itemId);
    if (item == nullptr || FindPartyMemberWithFreeSlot(game) < 0) return false;
    Creature& taker = game.Roster[static_cast<size_t>(game.CurrentChar)];
    AddItemToInventory(game, itemId, taker, true, 1);
    player.Message(taker.Name + "は\n" + item->UnidentifiedName + GotText);
    ++game.ItemFound[static_cast<size_t>(itemId)];
    return true;
}

}  // namespace

std::vector<int32_t> ChestCandidates(const Game& game) {
    std::vector<int32_t> items;
    if (game.ChestLevel > 0) {
        for (int row = 1; row <= ChestItemRows; ++row) {
            const int least = game.ChestItemTable[static_cast<size_t>(row)];
            const int32_t item = game.ChestItemTable[static_cast<size_t>(row + ChestItemColumn)];
            // A row naming no item is passed over, as an empty one.
            if (least != 0 && least <= game.ChestLevel && item >= 1 && item <= LastItem)
                items.push_back(item);
        }
        return items;
    }
    for (int id = 1; id <= LastItem && id < static_cast<int>(game.Items.size()); ++id) {
        const ItemDef& item = game.Items[static_cast<size_t>(id)];
        if (item.FindLevel != 0 && item.FindLevel <= game.ChestItemLevel && item.AppraiseLevel > 0)
            items.push_back(id);
    }
    return items;
}

int GiveChestItems(Game& game, Player& player) {
    const std::vector<int32_t> candidates = ChestCandidates(game);
    const int sides = PartyMemberHasSkill(game, Skill::MoreTreasure) ? 4 : 3;
    const int count = Dice(game.Rng, 1, sides, 0);
    int given = 0;
    bool drawn = false;
    for (int n = 0; n < count && !candidates.empty(); ++n) {
        const int pick = Dice(game.Rng, 1, static_cast<int>(candidates.size()), 0);
        drawn = true;
        if (Give(game, player, candidates[static_cast<size_t>(pick - 1)])) ++given;
    }
    // The monsters' dropped item is in their own chest only.
    if (game.ChestLevel == 0 && game.Battle.DropItemId != 0 &&
        Dice(game.Rng, 1, DropOdds, 0) == 1) {
        drawn = true;
        if (Give(game, player, game.Battle.DropItemId)) ++given;
    }
    // A chest with nothing in it for this level says nothing.
    if (given == 0 && drawn) player.Message(PartyFullText);
    return given;
}

}  // namespace kv
