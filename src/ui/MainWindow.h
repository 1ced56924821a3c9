#pragma once
// The main window: the maze picture behind everything, the party panel of six
// rows at the bottom, the command menu above it and the message label. Every
// town screen, the maze and the battle live in it as screens, one per menu
// state: the current state's screen gets the window's keys first, its timers,
// and the rows carried out on the command menu.
#include <array>
#include <map>

#include "core/CapitalName.h"
#include "core/CommandMenus.h"
#include "core/Game.h"
#include "ui/Label.h"
#include "ui/ListEx.h"
#include "ui/MessageLabel.h"
#include "ui/PanelEx.h"
#include "ui/PictureBox.h"
#include "ui/ReorderPanel.h"
#include "ui/Screen.h"
#include "ui/Shape.h"
#include "ui/Timer.h"
#include "ui/Window.h"

namespace kv {

// The look of the command list, for the other menus laid on the main window.
void StyleMenuList(ListEx& list);
// A plain text panel in the same colours.
void StyleInfoLabel(Label& label);

class MainWindow : public Window {
  public:
    static constexpr int PartyRows = 6;
    static constexpr const char* TownCaption = CapitalName.data();

    MainWindow(WindowManager& manager, Game& game);

    // The transition between screens: the old state's screen leaves, the
    // command list is cleared and given the new state's caption and rows, its
    // first row made current and focused, MenuState set, and the new screen
    // enters. Asked again for the state already current, it only rebuilds
    // the rows (no leave, no enter). currentRow is the row made current.
    void SetCommandMenu(int state, int currentRow = 0);
    // The same with rows a screen built itself (goods, rooms, patients), each
    // row's ItemData from itemData (0 where it runs short).
    void SetCommandMenu(int state, const CommandMenu& menu, int currentRow = 0,
                        const std::vector<int32_t>& itemData = {});
    // The screen of a menu state; a state without one leaves rows inert.
    void Register(int state, Screen& screen);
    Screen* ScreenFor(int state) const;
    // Rebuilds the party list from the roster and redraws the six rows.
    void RefreshPartyPanel();
    // Redraws the six rows in the marching order as it stands, without
    // rebuilding it: a battle round must not reorder the party under way.
    void RedrawPartyPanel();
    // Shows (or hides, with nullptr) the battle help panel for a member.
    void ShowBattleHelp(const Creature* member);

    // Party window selection, for a facility that needs a member: the
    // cursor on the first member, the command list disabled, the party
    // window enabled and focused. The pick goes to the current screen's
    // MemberChosen, Esc or Backspace to its PartySelectionLeft.
    // cursor is the member first pointed at (1..PartyCount).
    void BeginPartySelection(int cursor = 1);
    // The party window gives the keys back: disabled, the bar hidden.
    void EndPartySelection();
    // Where the bar of the party window is drawn for PartyCursor.
    static constexpr int PartyBarLeft = 8;
    static constexpr int PartyRowPitch = 16;

    // Opens the reorder panel over the window.
    void OpenReorder();

    PictureBox picMap{"picMap"};
    PanelEx fraParty{"fraParty"};
    std::array<Label, PartyRows> lblName;
    std::array<Label, PartyRows> lblClass;
    std::array<Label, PartyRows> lblAC;
    std::array<Label, PartyRows> lblHP;
    std::array<Label, PartyRows> lblState;
    ListEx lstCommandList{"lstCommandList"};
    Label lblMsg{"lblMsg"};
    PanelEx fraHelp{"fraHelp"};
    MessageLabel lblHelp{"lblHelp"};   // wraps to its width
    Shape shpPartyBar{"shpPartyBar"};  // the party window's selection bar
    ReorderPanel fraReorder;
    Timer tmrMove{"tmrMove"};          // hides the move indicator in the maze
    Timer tmrTreasure{"tmrTreasure"};  // re-enables the chest menu
    Timer tmr{"tmr"};                  // keeps the music looping

  private:
    void LayOut();
    void CommandKeyDown(int& keyCode, int shift);
    void CarryOut();
    void Tick(MainTimer timer);
    void PartyKeyDown(int& keyCode, int shift);
    void PlaceBar();
    void ChooseMember();

    Game& game_;
    std::map<int, Screen*> screens_;
    std::vector<std::vector<std::string>> shownParty_;
};

}  // namespace kv
