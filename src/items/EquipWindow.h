#pragma once
// The equipment window: a body position on the left, the items that fit it
// on the right. Enter on a position lists its candidates; Enter on one puts
// it on (or leaves the position empty) and goes back to the positions.
#include "character/Equipment.h"
#include "ui/Label.h"
#include "ui/ListEx.h"
#include "ui/ScreenContext.h"
#include "ui/Window.h"

namespace kv {

class EquipWindow : public Window {
  public:
    EquipWindow(ScreenContext& context, int slot);

    ListEx lstPosition{"lstPosition"};
    ListEx lstItem{"lstItem"};
    Label lblWorn{"lblWorn"};

    // Shows the window modally for the roster slot until "L)戻る" or Esc.
    void Run();

    void Paint(PaintContext& context) override;

  private:
    Position Highlighted() const;
    void FillCandidates();
    void ShowWorn();
    void EnterPosition();
    void ChooseCandidate();
    Creature& Wearer();

    ScreenContext& context_;
    int slot_;
};

}  // namespace kv
