#pragma once
// The maze as the camp's magic reaches it: the mapping spell's automap, the
// teleport and the return to the entrance, and the save points they make.
#include <functional>

#include "core/Game.h"
#include "core/GameDisplay.h"
#include "core/Player.h"
#include "items/CampSpells.h"

namespace kv {

class MazeCampHost : public CampHost {
  public:
    // showAutomap opens the automap window (the maze's screen knows how).
    MazeCampHost(Game& game, Player& player, GameDisplay& display,
                 std::function<void()> showAutomap);

    void ShowAutomap() override;
    // A transfer within the place, then the landing check; a party that did
    // not survive it is handled as wiped out and the castle comes back.
    bool MoveParty(int floor, int x, int y) override;
    void Save() override;

    // Whether a move of the camp took the party out of the maze.
    bool PartyGone() const { return gone_; }

  private:
    Game& game_;
    Player& player_;
    GameDisplay& display_;
    std::function<void()> showAutomap_;
    bool gone_ = false;
};

}  // namespace kv
