// Questions about the party that every battle rule asks.
#include "battle/BattleRules.h"

namespace kv {

Creature* PartyMember(Game& game, int position) {
    if (position < 1 || position > game.PartyCount) return nullptr;
    const int slot = game.PartyList[static_cast<size_t>(position)];
    if (slot < 1 || slot >= static_cast<int>(game.Roster.size())) return nullptr;
    return &game.Roster[static_cast<size_t>(slot)];
}

bool PartyHasSkill(const Game& game, int skill) {
    for (int i = 1; i <= game.PartyCount; ++i) {
        const int slot = game.PartyList[static_cast<size_t>(i)];
        if (slot < 1 || slot >= static_cast<int>(game.Roster.size())) continue;
        const Creature& c = game.Roster[static_cast<size_t>(slot)];
        if (skill >= 0 && static_cast<size_t>(skill) < c.Skills.size() &&
            c.Skills[static_cast<size_t>(skill)] != 0)
            return true;
    }
    return false;
}

bool PartyIsDown(Game& game) {
    for (int i = 1; i <= game.PartyCount; ++i) {
        const Creature* c = PartyMember(game, i);
        if (c != nullptr && (c->Status & DownMask) == 0) return false;
    }
    return true;
}

}  // namespace kv
