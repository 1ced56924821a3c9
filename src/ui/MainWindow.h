#pragma once
// The main window: the maze picture behind everything, the party panel of six
// rows at the bottom, the command menu above it and the message label. Every
// town screen, the maze and the battle live in it; Enter on the command menu
// runs the handler of the current menu state.
#include <array>
#include <functional>
#include <map>

#include "core/Game.h"
#include "ui/Label.h"
#include "ui/ListEx.h"
#include "ui/PanelEx.h"
#include "ui/PictureBox.h"
#include "ui/Timer.h"
#include "ui/Window.h"

namespace kv {

class MainWindow : public Window {
  public:
    static constexpr int PartyRows = 6;
    static constexpr const char* TownCaption = "dadi";

    MainWindow(WindowManager& manager, Game& game);

    // Clears the command list, sets MenuState, gives the list the state's
    // caption and rows, makes the first row current and focuses the list.
    void SetCommandMenu(int state);
    // Rebuilds the party list from the roster and redraws the six rows.
    void RefreshPartyPanel();
    // Shows (or hides, with nullptr) the battle help panel for a member.
    void ShowBattleHelp(const Creature* member);

    // The handler that carries out the chosen row of a menu state.
    using MenuHandler = std::function<void(int row)>;
    void SetMenuHandler(int state, MenuHandler handler);

    PictureBox picMap;
    PanelEx fraParty;
    std::array<Label, PartyRows> lblName;
    std::array<Label, PartyRows> lblClass;
    std::array<Label, PartyRows> lblAC;
    std::array<Label, PartyRows> lblHP;
    std::array<Label, PartyRows> lblState;
    ListEx lstCommandList;
    Label lblMsg;
    PanelEx fraHelp;
    Label lblHelp;
    Timer tmrMove;      // hides the move indicator in the maze
    Timer tmrTreasure;  // re-enables the chest menu
    Timer tmr;          // keeps the music looping

  private:
    void LayOut();
    void CommandKeyDown(int& keyCode, int shift);
    void CarryOut();

    Game& game_;
    std::map<int, MenuHandler> handlers_;
    std::vector<std::vector<std::string>> shownParty_;
};

}  // namespace kv
