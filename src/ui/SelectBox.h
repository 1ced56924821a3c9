#pragma once
// The selection box: a modal list through which the game asks the player to
// pick a party member, an item or an option. The caller fills lst (rows and
// their ItemData), then Run shows the box with a prompt. Enter or a left
// click on a row puts the row's ItemData in SelectedValue; Esc or Backspace
// puts -1 there. In the wide form the box also lists the inventory of the
// member on the highlighted row (whose ItemData is a roster slot).
#include <string>
#include <string_view>

#include "ui/ListEx.h"
#include "ui/MessageLabel.h"
#include "ui/PanelEx.h"
#include "ui/Window.h"

namespace kv {

struct Game;

class SelectBox : public Window {
  public:
    static constexpr int NormalWidth = 320;
    static constexpr int WideWidth = 600;  // 9000 fifteenths of a pixel

    SelectBox(WindowManager& manager, const Game& game);

    PanelEx fraBack;
    MessageLabel lblMsg{"lblMsg"};  // the prompt
    ListEx lst{"lst"};
    MessageLabel lblmsgItem{"lblmsgItem"};
    ListEx lstItem{"lstItem"};

    int SelectedValue = -1;  // ItemData of the row chosen; -1 cancelled

    // Shows the box modally over whatever is on screen; returns SelectedValue.
    int Run(std::string_view prompt, bool wide);
    bool Wide() const { return wide_; }

    void Paint(PaintContext&) override {}  // the panel covers the window

  private:
    void Arrange();
    void ShowInventory();
    void Choose();

    const Game& game_;
    bool wide_ = false;
    std::string shownItems_;  // what lstItem last showed, to log only changes
};

}  // namespace kv
