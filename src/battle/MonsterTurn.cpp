// A monster's turn, for now its plain physical attack: a party member drawn
// by weight (the front of the marching order favoured), then the blow.
#include <algorithm>
#include <array>

#include "battle/BattleRules.h"
#include "character/CharacterRules.h"
#include "core/Dice.h"

namespace kv {

namespace {

int PickTarget(Game& game, const Creature& monster) {
    const int reach = monster.ReachAll != 0 ? 6 : std::min<int>(game.PartyCount, 3);
    std::array<int, 7> weight{};
    int total = 0;
    for (int pos = 1; pos <= std::min<int>(reach, game.PartyCount); ++pos) {
        const Creature* c = game.Member(pos);
        if (c == nullptr || (c->GrantFlags1 & monster.Class) != 0 || (c->Status & AbsentMask) != 0)
            continue;
        int w = 6 - pos;
        if (HasSkill(*c, Skill::MonstersPreferHim)) w += 20;
        weight[static_cast<size_t>(pos)] = std::max(w, 0);
        total += weight[static_cast<size_t>(pos)];
    }
    if (total <= 0) return 0;
    const int roll = Dice(game.Rng, 1, total, 0);
    int sum = 0;
    for (int pos = 1; pos <= 6; ++pos) {
        sum += weight[static_cast<size_t>(pos)];
        if (weight[static_cast<size_t>(pos)] > 0 && sum >= roll) return pos;
    }
    return 0;
}

}  // namespace

void RunMonsterAction(Game& game, Player& player, Creature& monster) {
    if (CanAct(monster)) {
        if (const int pos = PickTarget(game, monster); pos != 0)
            PhysicalAttack(game, player, monster, *game.Member(pos), 0);
    }
    // The after-turn regeneration of a monster still standing.
    if ((monster.Status & StatusDead) == 0 && monster.Regen > 0)
        HealCreature(monster, monster.Regen, true);
    monster.Initiative = 0;
}

}  // namespace kv
