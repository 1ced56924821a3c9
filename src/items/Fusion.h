#pragma once
// Fusion, at the fortune teller: thirty fixed recipes of four ingredients
// taken from anywhere in the party, each opened by the party's total monster
// kills, with a one-in-eighteen chance that everything is lost.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/Game.h"
#include "core/Player.h"

namespace kv {

inline constexpr int FusionRecipeCount = 30;
inline constexpr int FusionLossSides = 18;  // a roll of 1 loses everything

struct FusionRecipe {
    int32_t Result = 0;
    std::array<int32_t, 4> Ingredients{};
};
// Recipe k (1..60) of the database's fusion table; an empty one outside.
FusionRecipe FusionRecipeAt(const Game& game, int k);
// The party's kills over every monster.
int64_t TotalKills(const Game& game);
// Recipe k opens after more than 30 k² kills; a recipe without a result
// never opens.
bool FusionOpen(const Game& game, int k);
// The fusion menu: "01:name" for an open recipe, "1:？？？？？？？？？？"
// otherwise, then the way back.
std::vector<std::string> FusionRows(const Game& game);
inline constexpr std::string_view FusionBackRow = "前に戻る";

enum class FusionOutcome { NotOpen, Declined, Missing, Lost, Made, NoRoom };
// Fuses recipe k with the party's items, asking first.
FusionOutcome FuseItems(Game& game, Player& player, int k);

}  // namespace kv
