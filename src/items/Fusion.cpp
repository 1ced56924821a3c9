#include "items/Fusion.h"

#include <algorithm>

#include "core/Dice.h"
#include "core/StringTable.h"
#include "items/Equipment.h"
#include "items/Inventory.h"
#include "town/RaceDefences.h"

namespace kv {

namespace {

// The fusion table is read as columns of 61 entries.
constexpr int FusionColumn = 61;
constexpr int FusionResultColumn = 1;
constexpr int FusionFirstIngredientColumn = 3;
constexpr int FusionMaxRecipe = 60;
constexpr int AlchemyColumn = 121;
constexpr int64_t KillsPerStep = 30;
constexpr std::string_view UnknownRecipe = "？？？？？？？？？？";
constexpr int FullMessage = 1053;

int32_t FusionEntry(const Game& game, int column, int k) {
    const int at = column * FusionColumn + k;
    return at >= 0 && at < FusionElements ? game.FusionTable[static_cast<size_t>(at)] : 0;
}

int32_t AlchemyEntry(const Game& game, int at) {
    return at >= 0 && at < AlchemyElements ? game.AlchemyTable[static_cast<size_t>(at)] : 0;
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

AlchemyRecipe AlchemyRecipeAt(const Game& game, int i) {
    if (i < 1 || i > AlchemyRecipeCount) return {};
    return {AlchemyEntry(game, i), AlchemyEntry(game, AlchemyColumn + i),
            AlchemyEntry(game, 2 * AlchemyColumn + i)};
}

std::vector<AlchemyChoice> AlchemyChoices(const Game& game, const Creature& alchemist) {
    std::vector<AlchemyChoice> choices;
    for (int i = 1; i <= AlchemyRecipeCount; ++i) {
        const AlchemyRecipe recipe = AlchemyRecipeAt(game, i);
        if (recipe.Ingredient1 == 0 || FindItem(game, recipe.Result) == nullptr) continue;
        const std::string text =
            ItemName(game, recipe.Result) + "　←　" + ItemName(game, recipe.Ingredient1) +
            (recipe.Ingredient2 == 0 ? "" : "＋" + ItemName(game, recipe.Ingredient2));
        // Slot 0 is never used, so a recipe of one ingredient (the second
        // 0) is offered once for every empty slot as well as slot 0.
        for (int a = 0; a <= LastInventorySlot; ++a) {
            if (alchemist.Items[static_cast<size_t>(a)].ItemId != recipe.Ingredient1) continue;
            for (int b = 0; b <= LastInventorySlot; ++b) {
                if (alchemist.Items[static_cast<size_t>(b)].ItemId == recipe.Ingredient2) {
                    choices.push_back({text, i});
                }
            }
        }
    }
    return choices;
}

AlchemyOutcome MakeByAlchemy(Game& game, Player& player, int slot) {
    if (slot < 1 || slot >= RosterRows) return AlchemyOutcome::Cancelled;
    Creature& alchemist = game.Roster[static_cast<size_t>(slot)];
    const bool holdsAnything =
        std::any_of(alchemist.Items.begin() + 1, alchemist.Items.end(),
                    [](const InventorySlot& held) { return held.ItemId != 0; });
    if (!holdsAnything) {
        player.Message("アイテムを持ってません");
        return AlchemyOutcome::NothingHeld;
    }
    const std::vector<AlchemyChoice> choices = AlchemyChoices(game, alchemist);
    std::vector<std::string> texts;
    std::vector<int32_t> values;
    for (const AlchemyChoice& choice : choices) {
        texts.push_back(choice.Text);
        values.push_back(choice.Recipe);
    }
    const int recipeNo = choices.empty() ? -1 : player.ChooseFromList(texts, values, "錬金術");
    if (recipeNo < 1 || recipeNo > AlchemyRecipeCount) {
        player.Message("おおっと！");
        return AlchemyOutcome::Cancelled;
    }
    const AlchemyRecipe recipe = AlchemyRecipeAt(game, recipeNo);
    ConsumeItem(game, recipe.Ingredient1, alchemist);
    if (recipe.Ingredient2 != 0) ConsumeItem(game, recipe.Ingredient2, alchemist);
    if (AddItemToInventory(game, recipe.Result, alchemist, false, 1) != 0) {
        player.Message(ResString(FullMessage));
        return AlchemyOutcome::NoRoom;
    }
    ++game.ItemFound[static_cast<size_t>(recipe.Result)];
    player.Message("新しいアイテムを手に入れました");
    return AlchemyOutcome::Made;
}

}  // namespace kv
