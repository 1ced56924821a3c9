#pragma once
// The status window: one party member's sheet, inventory and the item
// commands. Opened view-only from the training grounds and creation, in
// full from the tavern (and the camp).
#include <array>
#include <string>

#include "items/CampSpells.h"
#include "items/ItemCommands.h"
#include "ui/Label.h"
#include "ui/ListEx.h"
#include "ui/PanelEx.h"
#include "ui/ScreenContext.h"
#include "ui/TextBox.h"
#include "ui/Window.h"

namespace kv {

class StatusWindow : public Window {
  public:
    static constexpr int WindowWidth = 600;
    static constexpr int WindowHeight = 450;

    // host is the maze around a camp; without one nothing moves the party.
    StatusWindow(ScreenContext& context, StatusMode mode, CampHost* host = nullptr);

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
    PanelEx fraMonster;
    Label lblMonster{"lblMonster"};
    PanelEx fraMove;
    std::array<TextBox, 3> txtMove{TextBox("txtMove0"), TextBox("txtMove1"), TextBox("txtMove2")};
    std::array<Label, 3> lblMove;
    PanelEx fraWish;
    ListEx lstWish{"lstWish"};

    // Shows the roster slot's sheet modally until the player goes back.
    void Run(int slot);

    void Paint(PaintContext& context) override;

  private:
    enum class Operation { None, Trade, Drop, Identify, Appraise, Use };

    // The camp with no maze around it: nothing moves, saves go as usual.
    class NoMaze : public CampHost {
      public:
        explicit NoMaze(ScreenContext& context) : context_(context) {}
        void ShowAutomap() override {}
        bool MoveParty(int, int, int) override { return false; }
        void Save() override { context_.Save(); }

      private:
        ScreenContext& context_;
    };

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

    // The camp's magic (StatusWindowCamp.cpp).
    void BuildCampPanels();
    void CastSpell();
    void UseItem(int slot);
    void AfterCamp(const CampResult& result);
    void OpenMove();
    void CloseMove();
    void MoveKey(size_t box, int& keyCode);
    void OpenWish();
    void ChooseWish(int row);
    void CloseWish();

    ScreenContext& context_;
    StatusMode mode_;
    Operation operation_ = Operation::None;
    int tradeTarget_ = 0;
    PanelEx* openPanel_ = nullptr;
    NoMaze noMaze_{context_};
    CampHost& host_;
};

// Shows the status window for a roster slot in a mode (the camp's with the
// maze around it).
void ShowStatusWindow(ScreenContext& context, int slot, StatusMode mode, CampHost* host = nullptr);
// Makes the status window the context's way to show a character.
void InstallStatusWindow(ScreenContext& context);

}  // namespace kv
