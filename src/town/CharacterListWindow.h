#pragma once
// The roster list window: lists the roster characters that suit a purpose
// (joining the party, resuming a party left in the maze, the training
// grounds' commands, the locate spell), shows a summary of the highlighted
// one, and acts on Enter. Esc, Backspace or R close it with nothing chosen.
#include <functional>

#include "town/RosterList.h"
#include "ui/Label.h"
#include "ui/ListEx.h"
#include "ui/PanelEx.h"
#include "ui/PictureBox.h"
#include "ui/ScreenContext.h"
#include "ui/Window.h"

namespace kv {

// What Enter on a character does for a purpose the caller carries out
// (delete, rename, view, move); it gets the character's Id, already made
// CurrentChar.
using RosterRowAction = std::function<RowOutcome(int id)>;

class CharacterListWindow : public Window {
  public:
    static constexpr const char* BackRow = "Ｒ）戻る";

    CharacterListWindow(ScreenContext& context, int mode, RosterRowAction action);

    PictureBox picPreview{"picPreview"};
    ListEx lstCharacter{"lstCharacter"};
    PanelEx fraHelp{"fraHelp"};
    Label lblHelp{"lblHelp"};

    // Fills the list and shows the window modally; the Id of the row current
    // when it closed, 0 for the back row or a cancel.
    int Run();

    void Paint(PaintContext& context) override;

  private:
    void Fill(bool rebuiltAfterJoin);
    void Act();
    void Cancel();
    void ShowPreview();

    ScreenContext& context_;
    int mode_;
    RosterRowAction action_;
};

// Opens the roster list window for a purpose. Joining and resuming say so
// and return 0 without opening when nobody qualifies. action carries out
// Enter for the purposes the town does not (without one, Enter closes).
int ChooseCharacter(ScreenContext& context, int mode, RosterRowAction action = {});

}  // namespace kv
