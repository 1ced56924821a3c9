#pragma once
// The panel of a person met in the maze, beside the view: talk, give, buy,
// sell and leave. The greeting stands where the monsters of a battle would;
// the wares list takes the panel's place while the party shops. While the
// panel is open the party cannot move.
#include <string>
#include <string_view>
#include <vector>

#include "ui/Label.h"
#include "ui/ListEx.h"
#include "ui/PanelEx.h"
#include "ui/ScreenContext.h"

namespace kv {

class PersonPanel {
  public:
    explicit PersonPanel(ScreenContext& context);

    // Opens the panel on the current person with the greeting; the five
    // wares are drawn now and kept while the panel stays open.
    void Open(std::string_view greeting);
    // Puts the panel away and gives the view its keys back.
    void Close();
    bool IsOpen() const { return open_; }

    // Carries out a command row (0 talk .. 4 leave).
    void CarryOut(int row);

    PanelEx fraNPC{"fraNPC"};
    ListEx lstNPC{"lstNPC"};
    PanelEx fraNPCBuy{"fraNPCBuy"};
    Label lblNPCBuy{"lblNPCBuy"};
    ListEx lstNPCBuy{"lstNPCBuy"};
    ListEx lstGreeting{"lstGreeting"};

  private:
    void LayOut();
    void StartBuying();
    void StopBuying();
    void Buy();
    void LogList(const ListEx& list);

    ScreenContext& context_;
    bool open_ = false;
};

}  // namespace kv
