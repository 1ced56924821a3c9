// When each actor acts in a round: a tick from 50 (first) down to 1.
#include <algorithm>

#include "battle/BattleRules.h"
#include "character/CharacterRules.h"
#include "core/Dice.h"

namespace kv {

namespace {

constexpr int WeaponTypeBow = 4;
constexpr int FastestTick = 50;
constexpr int QuickTickCap = 45;
constexpr int BoostedTickCap = 47;

int MainHandSlot(const Creature& c) {
    for (size_t s = 1; s < c.Items.size(); ++s)
        if (c.Items[s].ItemId != 0 && (c.Items[s].ItemFlags & 7) == 1) return static_cast<int>(s);
    return 0;
}

// The tick a member's command gives him, and whether the party's quickness
// skill may still raise it.
int CommandTick(Game& game, const Creature& c, bool& boostable) {
    boostable = false;
    if (c.Command <= 0) return 0;
    if (HasSkill(c, Skill::MovesFirst)) return FastestTick;
    if (HasSkill(c, Skill::ActsSecond))
        return std::min(Dice(game.Rng, 1, 3 * c.Agility, 0), QuickTickCap);
    boostable = true;
    switch (c.Command) {
        case CommandSpell:
            return HasSkill(c, Skill::QuickCaster) ? QuickTickCap : Dice(game.Rng, 1, c.IQ, 0);
        case CommandSteal:
            return Dice(game.Rng, 1, c.Dexterity, 0);
        case CommandSummon:
        case CommandSong:
            return Dice(game.Rng, 1, c.Charm, 0);
        case CommandDispel:
            return Dice(game.Rng, 1, c.Piety, 0);
        case CommandCoins:
            return Dice(game.Rng, 1, c.Dexterity, 0);
        case CommandBreath:
            return Dice(game.Rng, 1, c.Vitality, 0);
        case CommandFight: {
            if (HasSkill(c, Skill::QuickFighter)) return QuickTickCap;
            if (HasSkill(c, Skill::Archer)) {
                const ItemDef* w = WeaponIn(game, c, MainHandSlot(c));
                if (w != nullptr && w->WeaponType == WeaponTypeBow) return QuickTickCap;
            }
            return Dice(game.Rng, 1, c.Agility, 0);
        }
        default:
            return Dice(game.Rng, 1, c.Agility, 0);
    }
}

}  // namespace

void RollMonsterInitiative(Game& game) {
    const bool daunting = PartyHasSkill(game, Skill::MonstersLoseTurns);
    for (int g = 1; g <= BattleGroupCount; ++g) {
        for (int m = 1; m <= GroupMemberCount; ++m) {
            Creature& c = game.Battle.Monster(g, m);
            if (c.Id == 0) continue;
            if (!CanAct(c)) {
                c.Initiative = 0;
                continue;
            }
            c.Initiative = static_cast<int16_t>(Dice(game.Rng, 1, c.Agility, 0));
            if (daunting && c.Class != 2 && c.Class != 4096 && c.Class != 8192 &&
                Dice(game.Rng, 1, 20, 0) == 1)
                c.Initiative = 0;
        }
    }
}

void RollPartyInitiative(Game& game) {
    const bool quick = PartyHasSkill(game, Skill::PartyInitiative);
    for (int i = 1; i <= game.PartyCount; ++i) {
        Creature* c = game.Member(i);
        if (c == nullptr || !CanAct(*c)) continue;
        bool boostable = false;
        int tick = CommandTick(game, *c, boostable);
        if (boostable && quick) tick = std::min(tick + Dice(game.Rng, 1, 5, 0), BoostedTickCap);
        c->Initiative = static_cast<int16_t>(tick);
    }
}

void RollSummonInitiative(Game& game) {
    for (int s = 1; s <= SummonSlotCount; ++s) {
        Creature& c = game.Battle.Summons[static_cast<size_t>(s)];
        c.Initiative = CanAct(c) ? static_cast<int16_t>(Dice(game.Rng, 1, c.Agility, 0)) : 0;
    }
}

}  // namespace kv
