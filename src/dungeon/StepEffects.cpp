#include "dungeon/StepEffects.h"

#include <algorithm>

#include "character/CharacterRules.h"
#include "character/PartyMembers.h"
#include "core/Dice.h"
#include "core/StringTable.h"

namespace kv {

namespace {

// Poison takes a die of MaxHP \ 128, deadly poison of MaxHP \ 32.
constexpr int PoisonDivisor = 128;
constexpr int DeadlyPoisonDivisor = 32;

int RegenerationAmount(Creature& c) {
    const bool skilled = HasSkill(c, Skill::Regeneration);
    if (!skilled && c.Regen <= 0) return 0;
    if (c.HP >= c.MaxHP) return 0;
    int amount = c.Regen;
    if (skilled && c.Gold > 0) {
        c.Gold -= 1;
        amount += 1;
    }
    if (HasSkill(c, Skill::DoubleRegeneration)) amount *= 2;
    return amount;
}

}  // namespace

std::vector<StepChange> ApplyStepEffects(Game& game, std::vector<std::string>& deaths) {
    std::vector<StepChange> changes;
    for (int i = 1; i <= game.PartyCount; ++i) {
        Creature* c = game.Member(i);
        if (c == nullptr || (c->Status & GoneMask) != 0) continue;
        c->Walk += 1;
        StepChange change{game.PartyList[static_cast<size_t>(i)], 0, false};
        bool hurt = false;
        if ((c->Status & StatusPoison) != 0) {
            change.Delta = -Dice(game.Rng, 1, c->MaxHP / PoisonDivisor, 0);
            hurt = true;
        } else if ((c->Status & StatusDeadlyPoison) == 0) {
            const int amount = RegenerationAmount(*c);
            if (amount != 0) {
                const int before = c->HP;
                c->HP = std::min(c->MaxHP, c->HP + amount);
                change.Delta = c->HP - before;
            }
        } else {
            change.Delta = -Dice(game.Rng, 1, c->MaxHP / DeadlyPoisonDivisor, 0);
            hurt = true;
        }
        if (hurt) {
            c->HP += change.Delta;
            if (c->HP < 1) {
                KillCreature(*c, false);
                deaths.push_back(c->Name + std::string(ResString(Str::Died)));
                change.Died = true;
            }
        }
        if (change.Delta != 0 || change.Died) changes.push_back(change);
    }
    return changes;
}

}  // namespace kv
