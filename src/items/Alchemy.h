#pragma once
// Alchemy, a camp command of a character with the skill: two ingredients he
// carries himself make the result, always. The recipes are a table of the
// game database.
#include <cstdint>
#include <string>
#include <vector>

#include "core/Game.h"
#include "core/Player.h"

namespace kv {

inline constexpr int AlchemyRecipeCount = 120;

struct AlchemyRecipe {
    int32_t Result = 0;
    int32_t Ingredient1 = 0;
    int32_t Ingredient2 = 0;  // 0: the recipe needs one ingredient only
};
AlchemyRecipe AlchemyRecipeAt(const Game& game, int i);
// The recipes the character can make from what he carries, one row per
// pair of slots holding the ingredients (so a recipe may show twice).
struct AlchemyChoice {
    std::string Text;  // the result's name and its ingredients
    int Recipe = 0;
};
std::vector<AlchemyChoice> AlchemyChoices(const Game& game, const Creature& alchemist);

enum class AlchemyOutcome { NothingHeld, Cancelled, Made, NoRoom };
// The alchemy command for the character of a roster slot: the player picks a
// recipe, the ingredients are used up and the result made.
AlchemyOutcome MakeByAlchemy(Game& game, Player& player, int slot);

}  // namespace kv
