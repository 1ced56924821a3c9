#include "dungeon/CampMaze.h"

#include <utility>

#include "dungeon/MazeParty.h"
#include "dungeon/Movement.h"

namespace kv {

MazeCampHost::MazeCampHost(Game& game, Player& player, GameDisplay& display,
                           std::function<void()> showAutomap)
    : game_(game), player_(player), display_(display), showAutomap_(std::move(showAutomap)) {}

void MazeCampHost::ShowAutomap() {
    if (showAutomap_) showAutomap_();
}

bool MazeCampHost::MoveParty(int floor, int x, int y) {
    if (game_.PartyCount < 1 || game_.CurrentFloor < 1) return false;
    TransferParty(game_, floor, x, y, display_);
    if (CheckLanding(game_, player_, display_) < 0) {
        HandleWipeOut(game_, player_, display_);
        gone_ = true;
        return false;
    }
    return true;
}

void MazeCampHost::Save() {
    display_.Save();
}

}  // namespace kv
