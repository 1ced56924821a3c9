#include "items/Fusion.h"

#include "character/Equipment.h"
#include "character/Inventory.h"
#include "character/RaceDefences.h"
#include "core/Dice.h"

namespace kv {

namespace {

// The fusion table is read as columns of 61 entries.
constexpr int FusionColumn = 61;
constexpr int FusionResultColumn = 1;
constexpr int FusionFirstIngredientColumn = 3;
constexpr int FusionMaxRecipe = 60;
constexpr int64_t KillsPerStep = 30;
constexpr std::string_view UnknownRecipe = "？？？？？？？？？？";

int32_t FusionEntry(const Game& game, int column, int k) {
    const int at = column * FusionColumn + k;
    return at >= 0 && at < FusionElements ? game.FusionTable[static_cast<size_t>(at)] : 0;
}

bool PartyHolds(const Game& game, int32_t itemId) {
    for (int i = 1; i <= game.PartyCount; ++i) {
        const Creature& member =
            game.Roster[static_cast<size_t>(game.PartyList[static_cast<size_t>(i)])];
        for (int slot = FirstInventorySlot; slot <= LastInventorySlot; ++slot) {
            if (member.Items[static_cast<size_t>(slot)].ItemId == itemId) return true;
        }
    }
    return false;
}

std::string ItemName(const Game& game, int32_t itemId) {
    const ItemDef* item = FindItem(game, itemId);
    return item == nullptr ? "" : item->Name;
}

}  // namespace

FusionRecipe FusionRecipeAt(const Game& game, int k) {
    FusionRecipe recipe;
    if (k < 1 || k > FusionMaxRecipe) return recipe;
    recipe.Result = FusionEntry(game, FusionResultColumn, k);
    for (int n = 0; n < 4; ++n) {
        recipe.Ingredients[static_cast<size_t>(n)] =
            FusionEntry(game, FusionFirstIngredientColumn + n, k);
    }
    return recipe;
}

int64_t TotalKills(const Game& game) {
    int64_t total = 0;
    for (int m = 1; m < MonsterRows; ++m) total += game.MonsterKillCount[static_cast<size_t>(m)];
    return total;
}

bool FusionOpen(const Game& game, int k) {
    if (k < 1 || k > FusionRecipeCount) return false;
    // A recipe the scenario left empty would fuse into nothing.
    if (FindItem(game, FusionRecipeAt(game, k).Result) == nullptr) return false;
    return KillsPerStep * k * k < TotalKills(game);
}

std::vector<std::string> FusionRows(const Game& game) {
    std::vector<std::string> rows;
    for (int k = 1; k <= FusionRecipeCount; ++k) {
        if (FusionOpen(game, k)) {
            const std::string number = (k < 10 ? "0" : "") + std::to_string(k);
            rows.push_back(number + ":" + ItemName(game, FusionRecipeAt(game, k).Result));
        } else {
            rows.push_back(std::to_string(k) + ":" + std::string(UnknownRecipe));
        }
    }
    rows.emplace_back(FusionBackRow);
    return rows;
}

FusionOutcome FuseItems(Game& game, Player& player, int k) {
    if (!FusionOpen(game, k)) {
        player.Message("それはまだ合体できないですよ");
        return FusionOutcome::NotOpen;
    }
    if (!player.Ask("合体させて良いですか？")) return FusionOutcome::Declined;
    const FusionRecipe recipe = FusionRecipeAt(game, k);
    for (int32_t ingredient : recipe.Ingredients) {
        if (ingredient != 0 && !PartyHolds(game, ingredient)) {
            player.Message("アイテムが足りないですよ");
            return FusionOutcome::Missing;
        }
    }
    for (std::string_view wait :
         {"それでは合体させます", "・・・・", "・・・・・", "・・・・・・・"}) {
        player.Message(wait);
    }
    // One piece of each from the first member holding it; an ingredient
    // named twice takes a second piece when there is one.
    for (int32_t ingredient : recipe.Ingredients) {
        if (ingredient != 0) ConsumeItemFromParty(game, ingredient);
    }
    FusionOutcome outcome = FusionOutcome::Made;
    if (Dice(game.Rng, 1, FusionLossSides, 0) == 1) {
        player.Message("失敗！");
        player.Message("全部壊れてしまいました");
        outcome = FusionOutcome::Lost;
    } else {
        player.Message("合体できました");
        if (GiveFoundItem(game, player, recipe.Result, false, FoundMessage::Named, true) != 0) {
            outcome = FusionOutcome::NoRoom;
        }
    }
    if (game.CurrentChar >= 1 && game.CurrentChar < RosterRows) {
        Creature& current = game.Roster[static_cast<size_t>(game.CurrentChar)];
        ResetRaceDefences(game, current);
        ApplyEquipment(game, current);
    }
    return outcome;
}

}  // namespace kv
