#pragma once
// The panel that changes the marching order, opened over the main window by
// the maze and the battle: the members' names in order, F moves the current
// one forward (the first goes to the back), B moves it back (the last comes
// to the front), O or Enter takes the order, Esc or Backspace closes
// without it.
#include <functional>
#include <vector>

#include "core/Game.h"
#include "ui/AccessLabel.h"
#include "ui/ListEx.h"
#include "ui/PanelEx.h"

namespace kv {

class ReorderPanel : public PanelEx {
  public:
    explicit ReorderPanel(Game& game);

    ListEx lstReorder{"lstReorder"};
    AccessLabel lblUp{"lblUp"};
    AccessLabel lblDown{"lblDown"};
    AccessLabel lblOk{"lblOk"};

    // After a new order is taken, before the panel closes.
    std::function<void()> OnOrderTaken;
    // The panel has closed, with or without a new order.
    std::function<void()> OnClosed;

    // Fills the list with the party in marching order, shows the panel and
    // gives the list the focus.
    void Open();
    void MoveUp();
    void MoveDown();
    void TakeOrder();
    void Close();

    // The roster slots in the list's order.
    std::vector<int> Order() const;

  private:
    void LayOut();
    void Swap(int row, int other);
    void Log();

    Game& game_;
};

}  // namespace kv
