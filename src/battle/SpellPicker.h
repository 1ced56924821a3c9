#pragma once
// What the two spell pickers show and how they move, apart from their
// windows: the first walks school, level and spell through one list; the
// second lays every spell out in a grid of four columns and shows those the
// caster knows. Battle opens them with mode 1, the camp with mode 2.
#include <array>
#include <string>
#include <vector>

#include "core/Game.h"

namespace kv {

// The first picker: school, then level, then spell.
class SpellListPicker {
  public:
    SpellListPicker(const Game& game, const Creature& caster, int mode);

    // Starts over at the school list.
    void Open();
    // A row of the list is chosen; Done() tells whether the picker closes.
    void Choose(int row);
    // Esc or Backspace.
    void Cancel();

    const std::vector<std::string>& Rows() const { return rows_; }
    const std::string& Prompt() const { return prompt_; }
    // The help text of the level list's row (empty: none is provided).
    std::string LevelHelp(int row) const;
    bool Done() const { return done_; }
    // The spell name chosen; empty when cancelled.
    const std::string& Chosen() const { return chosen_; }
    int Stage() const { return stage_; }

  private:
    void BuildSchools();
    void BuildLevels();
    void BuildSpells();
    void Close(std::string chosen);

    const Game& game_;
    const Creature& caster_;
    int mode_;
    int stage_ = 0;
    int school_ = 0;
    int level_ = 1;
    std::vector<std::string> rows_;
    std::string prompt_;
    std::string chosen_;
    bool done_ = false;
};

// The second picker: labels 1..108, 27 to a column.
inline constexpr int SpellGridLabels = 108;
inline constexpr int SpellGridRows = 27;

struct SpellGrid {
    // The spell row of each label (0: none), and whether it is shown.
    std::array<int, SpellGridLabels + 1> SpellOf{};
    std::array<bool, SpellGridLabels + 1> Shown{};
    std::array<std::string, SpellGridLabels + 1> Caption{};
    int Current = -1;  // -1: nothing to choose
};

enum class GridMove { Up, Down, Left, Right };

// The grid for a caster: his known spells shown, the one he chose last (or
// the first shown) current.
SpellGrid BuildSpellGrid(const Game& game, const Creature& caster);
// The label a key moves to, over the hidden ones; the same label when no
// other is shown.
int MoveInSpellGrid(const SpellGrid& grid, GridMove move);

}  // namespace kv
