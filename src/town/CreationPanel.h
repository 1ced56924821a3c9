#pragma once
// Making a character, laid over the main window while the training grounds'
// menu is hidden: the name prompt, the race, alignment and sex menus, the
// bonus screen with its class list, and the confirmation.
#include <array>
#include <functional>

#include "town/Creation.h"
#include "ui/Label.h"
#include "ui/ListEx.h"
#include "ui/PanelEx.h"
#include "ui/ScreenContext.h"

namespace kv {

class CreationPanel {
  public:
    explicit CreationPanel(ScreenContext& context);

    // Training grounds "C)キャラクターを作る". onDone runs when the creation
    // ends, made or not (the training grounds rebuild their menu).
    void Start(std::function<void()> onDone);

    Label lbl{"lbl"};  // the summary, a line per choice
    ListEx lstMaking{"lstMaking"};
    PanelEx fraBounas{"fraBounas"};
    ListEx lstStatus{"lstStatus"};
    std::array<Label, 8> lblPoint;
    Label lblBounasPoint{"lblBounasPoint"};
    ListEx lstClass{"lstClass"};

  private:
    enum class Step { Race = 1, Alignment, Sex, Confirm };

    void ShowStep(Step step);
    void MakingEnter();
    void StatusKey(int& keyCode);
    void ClassFocused();
    void ClassKey(int& keyCode);
    void ClassEnter();
    void ShowPoints();
    void Finish(bool keep);
    void AddSummary(std::string_view text);

    ScreenContext& context_;
    NewCharacter made_;
    Step step_ = Step::Race;
    std::function<void()> onDone_;
};

}  // namespace kv
