#pragma once
// The one modal dialog every message, question and text prompt of the game
// goes through. ShowDialog blocks until the player answers:
//   kind 1 (input)   Enter keeps the text, Esc clears it; returns the text;
//   kind 2 (message) Space, Enter, Esc or Backspace closes; letters do nothing;
//                    Tab closes it too, so a held Tab hurries messages by;
//   kind 3 (yes/no)  Y or Enter is yes, N, Esc or Backspace no; returns
//                    DialogResult as text, "-1" for yes and "0" for no.
// A click closes a message or an input; a question needs its answer (a click
// on one of the two answer labels). In every kind the Ctrl key saves the game
// first of all, once for each press however long it is held. During a battle
// the second window is used, placed below the top of the screen so the
// monsters stay in view.
//
// A dialog shown while another is up (a save from Ctrl that fails says so)
// takes a window that is not showing: the other of the two, or a further one
// made for the purpose. The dialog underneath keeps its text, its typed
// input and its question, and is still waiting when the one on top closes.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/DialogWindow.h"

namespace kv {

class WindowManager;

class Dialogs {
  public:
    // saveGame is the game's save routine; battleOnScreen tells whether a
    // monster picture of the battle view is showing. Either may be empty.
    Dialogs(WindowManager& manager, std::function<void()> saveGame,
            std::function<bool()> battleOnScreen);

    // A title, when given, heads the dialog.
    std::string ShowDialog(std::string_view text, DialogKind kind,
                           std::string_view defaultText = "", std::string_view title = "");
    // A message that also closes by itself pauseMs after it opens (0: it is
    // drawn and goes at once; below 0: it waits for a key like any other).
    void ShowPacedMessage(std::string_view text, std::string_view title, int pauseMs);

    // -1 yes, 0 no: written by the keys and labels of a question.
    int DialogResult = 0;

    std::function<void()> SaveGame;
    std::function<bool()> BattleOnScreen;
    // Called before a dialog opens, so the screen beneath is up to date.
    std::function<void()> BeforeShow;

    DialogWindow dlgInpBox;   // outside battle: centred
    DialogWindow dlgInpBox2;  // in battle: its top this far below the screen's top
    // 500 units of a fifteenth of a pixel, the dialog layout's fine unit.
    static constexpr int BattleTop = 500 / 15;

  private:
    // The window for a dialog about to be shown: the preferred one unless it
    // is showing already.
    DialogWindow& FreeWindow(bool battle);
    void Wire(DialogWindow& box);
    void KeyDown(DialogWindow& box, int& keyCode);
    void Answer(DialogWindow& box, int result);
    DialogWindow& Open(std::string_view text, DialogKind kind, std::string_view defaultText,
                       std::string_view title);

    WindowManager& manager_;
    // Windows for dialogs three deep and more, made when first needed.
    std::vector<std::unique_ptr<DialogWindow>> nested_;
};

}  // namespace kv
