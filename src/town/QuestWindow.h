#pragma once
// The tavern's quest window: a list of quests (those accepted, new offers or
// those completed) with the highlighted quest's description and reward.
// Enter on an accepted quest reports or declines it, on an offer accepts
// it; the completed list is only for reading. Esc or Backspace closes it.
#include "town/Quests.h"
#include "ui/Label.h"
#include "ui/ListEx.h"
#include "ui/MessageLabel.h"
#include "ui/ScreenContext.h"
#include "ui/Window.h"

namespace kv {

class QuestWindow : public Window {
  public:
    explicit QuestWindow(ScreenContext& context);

    ListEx lst{"lst"};
    MessageLabel lblComment{"lblComment"};
    Label lblReward{"lblReward"};

    // Fills the list for a mode; false (the player told why) when it has no rows.
    bool Fill(QuestListMode mode);
    // Shows the filled window until it is closed.
    void Run();

    void Paint(PaintContext& context) override;

  private:
    void ShowQuest();
    void CarryOut();

    ScreenContext& context_;
    QuestListMode mode_ = QuestListMode::None;
};

// The tavern's Q) command for a party: which list to look at, then the window.
void OpenQuests(ScreenContext& context);

}  // namespace kv
