#pragma once
// The chest menu over the maze view: the panel fraTreasure with its list of
// what can be done to the chest and the label that shows a trap's name. The
// maze screen owns it and hands it the keys while the chest is up.
#include <functional>
#include <memory>

#include "dungeon/Movement.h"
#include "ui/ScreenContext.h"

namespace kv {

class ChestScreen {
  public:
    // then is told what follows the chest once it is opened or left.
    ChestScreen(ScreenContext& context, std::function<void(const MoveResult&)> then);
    ~ChestScreen();
    ChestScreen(const ChestScreen&) = delete;
    ChestScreen& operator=(const ChestScreen&) = delete;

    // The chest the battle's monsters left.
    void ShowBattleChest();
    // The hidden chest a search found, of the square's level.
    void ShowHiddenChest(int level);

    // While the chest is up: the maze screen's keys, timer and party window.
    bool KeyDown(int keyCode, int shift);
    void Timer(MainTimer timer);
    void MemberChosen();
    void PartySelectionLeft();

  private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

}  // namespace kv
