#pragma once
// The skill window: every skill the character may switch on, checked when
// on. Space switches the highlighted one; Enter closes the window when no
// more are on than the story allows, and the choice is written back.
#include <vector>

#include "items/Skills.h"
#include "ui/Label.h"
#include "ui/ListEx.h"
#include "ui/ScreenContext.h"
#include "ui/Window.h"

namespace kv {

class SkillWindow : public Window {
  public:
    SkillWindow(ScreenContext& context, int slot);

    ListEx lstSkill{"lstSkill"};
    Label lblLabel{"lblLabel"};

    void Run();

    void Paint(PaintContext& context) override;

  private:
    void ShowRow(int row);
    void Toggle();
    void Confirm();
    void Describe();

    ScreenContext& context_;
    int slot_;
    std::vector<SkillRow> rows_;
};

// Fills the skill window for the roster slot, shows it and writes the
// choice back.
void OpenSkillWindow(ScreenContext& context, int slot);

}  // namespace kv
