#include "items/Alchemy.h"

#include <algorithm>

#include "character/Inventory.h"
#include "core/StringTable.h"

namespace kv {

namespace {

// The alchemy table is read as columns of 121 entries: result, ingredient 1,
// ingredient 2.
constexpr int AlchemyColumn = 121;

int32_t AlchemyEntry(const Game& game, int at) {
    return at >= 0 && at < AlchemyElements ? game.AlchemyTable[static_cast<size_t>(at)] : 0;
}

std::string ItemName(const Game& game, int32_t itemId) {
    const ItemDef* item = FindItem(game, itemId);
    return item == nullptr ? "" : item->Name;
}

}  // namespace

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
        player.Message(ResString(Str::InventoryFull));
        return AlchemyOutcome::NoRoom;
    }
    ++game.ItemFound[static_cast<size_t>(recipe.Result)];
    player.Message("新しいアイテムを手に入れました");
    return AlchemyOutcome::Made;
}

}  // namespace kv
