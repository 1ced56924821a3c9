#pragma once
// The command menu of the main window: for each screen (the menu state) its
// caption and its rows, each row starting with its access key. The last row
// is always the way back.
#include <string>
#include <vector>

#include "core/Game.h"

namespace kv {

// Menu states.
namespace MenuStates {
inline constexpr int Tavern = 1;
inline constexpr int Temple = 2;
inline constexpr int Shop = 3;
inline constexpr int ShopBuy = 4;
inline constexpr int ShopWeapons = 5;
inline constexpr int Inn = 6;
inline constexpr int FortuneTeller = 7;
inline constexpr int Castle = 8;
inline constexpr int EdgeOfTown = 9;
inline constexpr int TrainingGrounds = 10;
inline constexpr int Maze = 11;
inline constexpr int ShopGoods = 12;
inline constexpr int ShopSell = 13;
inline constexpr int ShopCurse = 14;
inline constexpr int ShopIdentify = 15;
inline constexpr int Fusion = 17;
inline constexpr int MazeChoice = 19;
inline constexpr int ShopWeaponGoods = 20;
// Not one of the menus: the battle's own lists hold the keys while it is on.
inline constexpr int Battle = 30;
}  // namespace MenuStates

struct CommandMenu {
    std::string Caption;
    std::vector<std::string> Rows;
};

// The caption and rows of a state; states that fill their own menu (the
// temple, the maze, the shop's sub-screens, the inn's rooms) and unknown states give an empty
// menu. The maze choice depends on the progress flags that open two mazes.
CommandMenu CommandMenuFor(int state, const Game& game);

// One row of the place menu and the place it leads to.
struct PlaceRow {
    std::string Text;
    int Place = 0;  // 0 for the way back to the edge of town
};

// The rows of the place menu, the one table both the menu shown and the
// place entered read: the mazes that flags 22 and 21 open (each put first
// when open), the three first mazes, and the way back last.
std::vector<PlaceRow> MazeEntryRows(const Game& game);

}  // namespace kv
