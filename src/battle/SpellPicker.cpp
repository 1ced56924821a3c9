// The two spell pickers' lists and moves.
#include "battle/SpellPicker.h"

#include "character/SpellBook.h"
#include "core/TextFormat.h"

namespace kv {

namespace {

constexpr int Schools = 4;
constexpr int LevelRows = 9;
constexpr int LastSpellRow = 200;
constexpr std::array<const char*, Schools> SchoolRows = {"W)Ｗｉｚａｒｄ", "C)Ｃｌｅｒｉｃ",
                                                         "A)Ａｌｃｈｅｍｙｓｔ", "T)Ｔａｏｓｕｉ"};
constexpr const char* BackRow = "B)戻る";
constexpr const char* CancelRow = "C)キャンセル";

}  // namespace

SpellListPicker::SpellListPicker(const Game& game, const Creature& caster, int mode)
    : game_(game), caster_(caster), mode_(mode) {}

void SpellListPicker::Open() {
    chosen_.clear();
    done_ = false;
    stage_ = 0;
    BuildSchools();
}

void SpellListPicker::BuildSchools() {
    rows_.assign(SchoolRows.begin(), SchoolRows.end());
    rows_.emplace_back(CancelRow);
    prompt_ = "種類を選んでください";
    stage_ = 1;
}

void SpellListPicker::BuildLevels() {
    rows_.clear();
    for (int level = 1; level <= LevelRows; ++level)
        rows_.push_back(std::to_string(level) + ")Ｌｅｖｅｌ　" + WideNumber(level));
    rows_.emplace_back(BackRow);
    rows_.emplace_back(CancelRow);
    prompt_ = "ＬＶを選んでください";
    stage_ = 2;
}

void SpellListPicker::BuildSpells() {
    rows_.clear();
    prompt_ = "呪文を選んでください";
    for (int slot = 1; slot <= 4; ++slot) {
        if (caster_.Spell(school_, level_, slot) == 0) continue;
        for (int k = 1; k <= LastSpellRow && k < static_cast<int>(game_.Spells.size()); ++k) {
            const SpellDef& s = game_.Spells[static_cast<size_t>(k)];
            if ((s.SpellFlags & mode_) == 0 || s.School != school_ || s.SpellLevel != level_ ||
                s.Slot != slot)
                continue;
            rows_.push_back(std::to_string(slot) + ")" + s.Name);
            break;
        }
    }
    rows_.emplace_back(BackRow);
    rows_.emplace_back(CancelRow);
    stage_ = 3;
}

void SpellListPicker::Choose(int row) {
    const int last = static_cast<int>(rows_.size()) - 1;
    if (done_ || row < 0 || row > last) return;
    if (row == last) return Close("");
    switch (stage_) {
        case 1:
            school_ = row;
            BuildLevels();
            break;
        case 2:
            if (row == last - 1) return BuildSchools();
            level_ = row + 1;
            BuildSpells();
            break;
        case 3:
            if (row == last - 1) return BuildLevels();
            // The name after "i)".
            return Close(rows_[static_cast<size_t>(row)].substr(2));
        default:
            break;
    }
}

void SpellListPicker::Cancel() {
    Close("");
}

void SpellListPicker::Close(std::string chosen) {
    chosen_ = std::move(chosen);
    stage_ = 0;
    done_ = true;
}

std::string SpellListPicker::LevelHelp(int) const {
    // No help texts come with the game's string table.
    return "";
}

SpellGrid BuildSpellGrid(const Game& game, const Creature& caster) {
    SpellGrid grid;
    int label = 0;
    for (int k = 1; k <= LastSpellRow && k < static_cast<int>(game.Spells.size()); ++k) {
        const SpellDef& s = game.Spells[static_cast<size_t>(k)];
        if (s.School >= Schools || s.Name.empty()) continue;
        if (++label > SpellGridLabels) break;
        const size_t j = static_cast<size_t>(label);
        grid.SpellOf[j] = k;
        grid.Caption[j] = s.Name;
        grid.Shown[j] = KnowsSpell(caster, s);
    }
    for (int j = 1; j <= SpellGridLabels; ++j) {
        const size_t at = static_cast<size_t>(j);
        if (!grid.Shown[at]) continue;
        if (grid.Current < 0) grid.Current = j;
        if (game.Spells[static_cast<size_t>(grid.SpellOf[at])].Code == caster.CommandArg) {
            grid.Current = j;
            break;
        }
    }
    return grid;
}

int MoveInSpellGrid(const SpellGrid& grid, GridMove move) {
    const int start = grid.Current;
    if (start < 1) return start;
    const auto step = [move](int j) {
        const int row = (j - 1) % SpellGridRows;  // 0 at the top of a column
        switch (move) {
            case GridMove::Up:
                return row == 0 ? j + SpellGridRows - 1 : j - 1;
            case GridMove::Down:
                return row == SpellGridRows - 1 ? j - (SpellGridRows - 1) : j + 1;
            case GridMove::Right:
                return j > SpellGridLabels - SpellGridRows ? j - (SpellGridLabels - SpellGridRows)
                                                           : j + SpellGridRows;
            case GridMove::Left:
            default:
                return j <= SpellGridRows ? j + (SpellGridLabels - SpellGridRows)
                                          : j - SpellGridRows;
        }
    };
    for (int j = step(start); j != start; j = step(j))
        if (grid.Shown[static_cast<size_t>(j)]) return j;
    return start;
}

}  // namespace kv
