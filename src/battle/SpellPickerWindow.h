#pragma once
// The two spell pickers on screen: frmSpellSelect walks school, level and
// spell in one list; frmSpellSelect2 shows every known spell in a grid.
// Each opens modally and gives back the spell name, "" when cancelled.
#include <array>
#include <memory>
#include <string>

#include "battle/SpellPicker.h"
#include "ui/Label.h"
#include "ui/ListEx.h"
#include "ui/MessageLabel.h"
#include "ui/PanelEx.h"
#include "ui/Window.h"

namespace kv {

class SpellSelectWindow : public Window {
  public:
    SpellSelectWindow(WindowManager& manager, const Game& game);
    std::string Run(const Creature& caster, int mode);
    void Paint(PaintContext&) override {}

    PanelEx fraBack;
    MessageLabel lblMsg{"lblMsg"};
    ListEx lst{"lst"};
    MessageLabel lblHelp{"lblHelp"};

  private:
    void ShowRows();
    void Chosen(int row);

    const Game& game_;
    std::unique_ptr<SpellListPicker> picker_;
};

class SpellSelect2Window : public Window {
  public:
    SpellSelect2Window(WindowManager& manager, const Game& game);
    std::string Run(const Creature& caster);
    void Paint(PaintContext&) override {}

    PanelEx fraBack;
    std::array<Label, SpellGridLabels + 1> lblSpell;  // 1..108 are used

  private:
    void Highlight(int label);
    void Log();

    const Game& game_;
    SpellGrid grid_;
    std::string chosen_;
};

// Both pickers, made on first use and kept.
class SpellPickers {
  public:
    SpellPickers(WindowManager& manager, const Game& game) : manager_(manager), game_(game) {}
    // Opens the picker the "呪文選択" setting names (2: the list, else the
    // grid) for the caster, with mode 1 in battle and 2 in camp.
    std::string ChooseSpellFromWindow(const Creature& caster, int mode, int setting);

  private:
    WindowManager& manager_;
    const Game& game_;
    std::unique_ptr<SpellSelectWindow> list_;
    std::unique_ptr<SpellSelect2Window> grid_;
};

}  // namespace kv
