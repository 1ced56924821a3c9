#include "playthrough/SpellGridPath.h"

#include <array>
#include <deque>

#include "battle/SpellPicker.h"

namespace kv::playthrough {

// The arrows from the grid's current label to the spell's, by a search over
// the moves the grid allows.
std::string GridKeys(const Game& game, const Creature& caster, int spellRow) {
    SpellGrid grid = BuildSpellGrid(game, caster);
    int goal = 0;
    for (int j = 1; j <= SpellGridLabels; ++j)
        if (grid.Shown[static_cast<size_t>(j)] && grid.SpellOf[static_cast<size_t>(j)] == spellRow)
            goal = j;
    if (goal == 0 || grid.Current <= 0) return "";
    constexpr std::array<const char*, 4> Names{"Up", "Down", "Left", "Right"};
    std::array<int, SpellGridLabels + 1> from{};
    std::array<int, SpellGridLabels + 1> by{};
    from.fill(-1);
    from[static_cast<size_t>(grid.Current)] = grid.Current;
    std::deque<int> open{grid.Current};
    while (!open.empty() && from[static_cast<size_t>(goal)] < 0) {
        const int at = open.front();
        open.pop_front();
        for (int m = 0; m < 4; ++m) {
            grid.Current = at;
            const int to = MoveInSpellGrid(grid, static_cast<GridMove>(m));
            if (to <= 0 || from[static_cast<size_t>(to)] >= 0) continue;
            from[static_cast<size_t>(to)] = at;
            by[static_cast<size_t>(to)] = m;
            open.push_back(to);
        }
    }
    if (from[static_cast<size_t>(goal)] < 0) return "";
    std::string keys;
    for (int at = goal; at != from[static_cast<size_t>(at)]; at = from[static_cast<size_t>(at)])
        keys = std::string(Names[static_cast<size_t>(by[static_cast<size_t>(at)])]) + " " + keys;
    return keys + "Enter";
}

}  // namespace kv::playthrough
