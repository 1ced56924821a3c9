// Questions about the party that every battle rule asks.
#include "battle/BattleRules.h"

namespace kv {

bool PartyIsDown(Game& game) {
    for (int i = 1; i <= game.PartyCount; ++i) {
        const Creature* c = game.Member(i);
        if (c != nullptr && (c->Status & DownMask) == 0) return false;
    }
    return true;
}

}  // namespace kv
