#pragma once
// The status window: one party member's sheet, inventory and the item
// commands. Opened view-only from the training grounds and creation, in
// full from the tavern (and the camp).
#include <string>

#include "items/ItemCommands.h"
#include "ui/Label.h"
#include "ui/ListEx.h"
#include "ui/PanelEx.h"
#include "ui/ScreenContext.h"
#include "ui/Window.h"

namespace kv {

class StatusWindow : public Window {
  public:
    static constexpr int WindowWidth = 600;
    static constexpr int WindowHeight = 450;

    StatusWindow(ScreenContext& context, StatusMode mode);

    Label lblStatu{"lblStatu"};
    ListEx lstCommand{"lstCommand"};
    ListEx lstItem{"lstItem"};
    PanelEx fraTitle{"fraTitle"};
    Label lblMsg1{"lblMsg1"};
    Label lblMsg2{"lblMsg2"};
    PanelEx picSpell;
    Label lblSpells{"lblSpells"};
    PanelEx fraInspect;
    Label lbl{"lbl"};

    // Shows the roster slot's sheet modally until the player goes back.
    void Run(int slot);

    void Paint(PaintContext& context) override;

  private:
    enum class Operation { None, Trade, Drop, Identify, Appraise };

    Creature& Current();
    void Redraw(int commandRow);
    void FillCommands(int row);
    void FillItems(int row);
    void CarryOut();
    void ActOnItem();
    void BeginOperation(Operation op, std::string_view title, std::string_view prompt,
                        int startRow);
    void EndOperation();
    bool EmptyHanded(std::string_view title);
    void Equip();
    void Step(int by);
    void ShowPanel(PanelEx& panel);
    void ClosePanel();
    void Close();

    ScreenContext& context_;
    StatusMode mode_;
    Operation operation_ = Operation::None;
    int tradeTarget_ = 0;
    PanelEx* openPanel_ = nullptr;
};

// Shows the status window for a roster slot in a mode.
void ShowStatusWindow(ScreenContext& context, int slot, StatusMode mode);
// Makes the status window the context's way to show a character.
void InstallStatusWindow(ScreenContext& context);

}  // namespace kv
