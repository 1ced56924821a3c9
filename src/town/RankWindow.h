#pragma once
// The fortune teller's window: one ranking or record list with its summary
// line, shown modally until Enter, Esc, Backspace or a click closes it.
#include "town/Rankings.h"
#include "ui/Label.h"
#include "ui/ListEx.h"
#include "ui/ScreenContext.h"
#include "ui/Window.h"

namespace kv {

class RankWindow : public Window {
  public:
    explicit RankWindow(ScreenContext& context);

    ListEx lstRanking{"lstRanking"};
    Label lbl1{"lbl1"};  // the summary line

    // Fills the window with a ranking and shows it until it is closed.
    void Show(RankingKind kind);

    void Paint(PaintContext& context) override;

  private:
    ScreenContext& context_;
};

// ShowRanking: the window for one kind, modally.
void ShowRanking(ScreenContext& context, RankingKind kind);

}  // namespace kv
