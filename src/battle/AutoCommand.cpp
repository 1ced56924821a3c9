// The automatic command: every member who can act fights the first group of
// the monster list, or parries when he cannot reach it.
#include "battle/BattleCommands.h"

namespace kv {

namespace {

constexpr int FrontRowSize = 3;

}  // namespace

void AutoCommands(Game& game) {
    const int16_t firstGroup = game.Battle.Rows[1];
    for (int i = 1; i <= game.PartyCount; ++i) {
        Creature* c = game.Member(i);
        if (c == nullptr || !CanAct(*c)) continue;
        const bool fights =
            (c->Status & StatusHidden) != 0 ||
            ((c->Status & StatusFly) == 0 && (i <= FrontRowSize || MainHandReach(game, *c) >= 2));
        c->Command = fights ? CommandFight : CommandParry;
        c->TargetGroup = fights ? firstGroup : 0;
    }
}

BattleEnd StartRound(Game& game, Player& player, GameDisplay& display) {
    BattleState& b = game.Battle;
    b.Phase = BattlePhase::Round;
    RollPartyInitiative(game);
    RollSummonInitiative(game);
    if (b.PartyFirstStrike)
        b.PartyFirstStrike = false;
    else
        RollMonsterInitiative(game);
    return RunRound(game, player, display);
}

}  // namespace kv
