// One round: every actor in the order of its tick, then what the end of a
// round brings (area effects, recovery, the monster list) and whether the
// battle is won, lost or goes on.
#include <cmath>

#include "battle/BattleRules.h"
#include "battle/MonsterActions.h"
#include "character/CharacterRules.h"
#include "core/Dice.h"
#include "core/StringTable.h"

namespace kv {

namespace {

Creature* PartyCandidate(Game& game, int tick) {
    for (int i = 1; i <= game.PartyCount; ++i) {
        Creature* c = game.Member(i);
        if (c != nullptr && c->Initiative == tick && CanAct(*c)) return c;
    }
    return nullptr;
}

Creature* MonsterCandidate(Game& game, int tick, int& group, int& member) {
    for (int g = 1; g <= BattleGroupCount; ++g) {
        for (int m = 1; m <= GroupMemberCount; ++m) {
            Creature& c = game.Battle.Monster(g, m);
            if (c.Id > 0 && c.Initiative == tick && CanAct(c)) {
                group = g;
                member = m;
                return &c;
            }
        }
    }
    return nullptr;
}

Creature* SummonCandidate(Game& game, int tick, int& slot) {
    for (int s = 1; s <= SummonSlotCount; ++s) {
        Creature& c = game.Battle.Summons[static_cast<size_t>(s)];
        if (c.Id > 0 && c.Initiative == tick && CanAct(c)) {
            slot = s;
            return &c;
        }
    }
    return nullptr;
}

std::string AreaWord(int attribute) {
    return std::string(ResString(Str::AreaFire, attribute - FirstAreaAttribute)) + "\n";
}

void PartyAreaDamage(Game& game, Player& player) {
    for (int a = FirstAreaAttribute; a <= LastAreaAttribute; ++a) {
        PartyAreaEffect& e = game.Battle.PartyAreaEffects[static_cast<size_t>(a)];
        if (e.Strength <= 0) continue;
        const auto strike = [&](Creature& c) {
            if (ResistRoll(game, c.Resist[static_cast<size_t>(a)], 0) != NotResisted) return;
            const int32_t damage = Dice(game.Rng, e.Count, e.Sides, e.Add) * e.Strength;
            player.Message(AreaWord(a) + DamageCreature(c, damage));
        };
        for (int s = 1; s <= SummonSlotCount; ++s) {
            Creature& c = game.Battle.Summons[static_cast<size_t>(s)];
            if (c.Id > 0 && (c.Status & StatusDead) == 0) strike(c);
        }
        for (int i = 1; i <= game.PartyCount; ++i)
            if (Creature* c = game.Member(i); c && (c->Status & GoneMask) == 0) strike(*c);
        --e.Strength;
        --e.Count;
    }
}

void GroupAreaDamage(Game& game, Player& player) {
    BattleState& b = game.Battle;
    for (int a = FirstAreaAttribute; a <= LastAreaAttribute; ++a) {
        for (int g = 1; g <= BattleGroupCount; ++g) {
            GroupAreaEffect& e = b.GroupAreaEffects[static_cast<size_t>(g)][static_cast<size_t>(a)];
            if (e.Rounds <= 0) continue;
            for (int m = 1; m <= GroupMemberCount; ++m) {
                Creature& c = b.Monster(g, m);
                if (c.Id == 0 || (c.Status & StatusDead) != 0) continue;
                if (ResistRoll(game, c.Resist[static_cast<size_t>(a)], 0) != NotResisted) continue;
                const int32_t damage = Dice(game.Rng, e.Count, e.Sides, e.Add);
                player.Message(AreaWord(a) + DamageCreature(c, damage));
                if (c.HP <= 0) {
                    // Booked like a kill, but the monster's level feeds the chest
                    // and nobody earns a kill or a drop.
                    b.GoldPool += static_cast<int32_t>(std::nearbyint(c.Gold));
                    b.ExpPool += static_cast<int32_t>(std::nearbyint(c.Exp));
                    b.TreasureSum += c.Level;
                    b.KillCount += 1;
                    c.HP = 0;
                    c.Status = StatusDead;
                    if (static_cast<size_t>(c.Id) < game.MonsterKillCount.size())
                        game.MonsterKillCount[static_cast<size_t>(c.Id)] += 1;
                }
            }
            const Creature* caster = e.Caster > 0 && e.Caster < static_cast<int>(game.Roster.size())
                                         ? &game.Roster[static_cast<size_t>(e.Caster)]
                                         : nullptr;
            if (caster == nullptr || !HasSkill(*caster, Skill::LastingAreaCount)) --e.Count;
            if (caster == nullptr || !HasSkill(*caster, Skill::LastingAreaRounds)) --e.Rounds;
        }
    }
}

// A member's end-of-round healing, poison and recovery.
// The blessings that heal the members at the end of every round.
constexpr int32_t HealingBlessings =
    BlessingOld | BlessingRegeneration | BlessingLordMight | BlessingTheft;

void MemberRoundEnd(Game& game, Creature& c) {
    if ((c.Status & GoneMask) == 0 && c.Regen > 0)
        HealCreature(c, HasSkill(c, Skill::DoubleRegeneration) ? 2 * c.Regen : c.Regen, true);
    if ((game.PartyBlessings & HealingBlessings) != 0)
        HealCreature(c, Dice(game.Rng, 1, c.Vitality, 0), true);
    const auto soothe = [&](int32_t bit, Skill skill) {
        if ((c.Status & bit) != 0 && HasSkill(c, skill))
            HealCreature(c, Dice(game.Rng, 1, c.MaxHP, 0) + c.Vitality, true);
    };
    soothe(StatusSleep, Skill::SleepingHeal);
    soothe(StatusParalysis, Skill::ParalysedHeal);
    soothe(StatusBlind, Skill::BlindHeal);
    if ((c.Status & GoneMask) == 0) {
        if ((c.Status & StatusPoison) != 0)
            DamageCreature(c, Dice(game.Rng, 1, c.MaxHP / 128, 0), true);
        else if ((c.Status & StatusDeadlyPoison) != 0)
            DamageCreature(c, Dice(game.Rng, 1, c.MaxHP / 32, 0), true);
    }
    if ((c.Status & DownMask) != 0) return;
    if ((c.Status & StatusSleep) != 0 &&
        (HasSkill(c, Skill::WakesAtOnce) || Dice(game.Rng, 1, 2, 0) == 1 ||
         PartyHasSkill(game, Skill::PartyWakes)))
        c.Status &= ~StatusSleep;
    if ((c.Status & StatusConfusion) != 0 && Dice(game.Rng, 1, 2, 0) == 1)
        c.Status &= ~StatusConfusion;
    if ((c.Status & StatusCharm) != 0 && Dice(game.Rng, 1, 4, 0) == 1) c.Status &= ~StatusCharm;
    if (HasSkill(c, Skill::SilenceBreaker)) c.Status &= ~StatusSilence;
    if ((c.Status & StatusHidden) != 0 && !HasSkill(c, Skill::StaysHidden) &&
        Dice(game.Rng, 1, c.Agility, 0) < 4)
        c.Status &= ~StatusHidden;
    c.Status &= ~(StatusFear | StatusFrozen | StatusShock | StatusHalfDamage | StatusReflectSpells |
                  StatusReflectPhysical | StatusConditionWard);
}

}  // namespace

BattleEnd RunRound(Game& game, Player& player, GameDisplay& display) {
    BattleState& b = game.Battle;
    b.RoundNo += 1;
    b.MonsterActedAgain = {};
    b.SummonActedAgain = {};
    for (int tick = 50; tick >= 1;) {
        Creature* p = PartyCandidate(game, tick);
        int group = 0;
        int member = 0;
        Creature* m = MonsterCandidate(game, tick, group, member);
        int slot = 0;
        Creature* s = SummonCandidate(game, tick, slot);
        if (p == nullptr && m == nullptr && s == nullptr) {
            --tick;
            continue;
        }
        // The luckier acts first; ties go to the party, then the monsters.
        const Creature* first = p != nullptr && (m == nullptr || p->Luck >= m->Luck) ? p : m;
        if (s != nullptr && (first == nullptr || first->Luck < s->Luck)) {
            b.ActingSummon = static_cast<int16_t>(slot);
            RunSummonAction(game, player, *s);
            s->Initiative = 0;
        } else if (first == p) {
            RunPartyAction(game, player, *p);
            p->Initiative = 0;
            if (!b.ListShown) {
                // The action took the party out of the battle.
                b.Phase = BattlePhase::None;
                b.PartyFirstStrike = false;
                display.PlayScene(game.Config.MazeScene);
                return BattleEnd::Escaped;
            }
        } else {
            b.ActingGroup = static_cast<int16_t>(group);
            b.ActingMember = static_cast<int16_t>(member);
            RunMonsterAction(game, player, *m, &display);
            m->Initiative = 0;
        }
    }
    return EndRound(game, player, display);
}

BattleEnd EndRound(Game& game, Player& player, GameDisplay& display) {
    BattleState& b = game.Battle;
    PartyAreaDamage(game, player);
    GroupAreaDamage(game, player);
    for (int g = 1; g <= BattleGroupCount; ++g) {
        Creature& templ = b.Monster(g, 0);
        if (templ.Identified != -1 && Dice(game.Rng, 1, 2, 0) == 1) templ.Identified = -1;
    }
    RebuildMonsterList(game);
    b.SummonLine = BuildSummonLine(game);
    SummonBetrayal(game, player);
    for (int i = 1; i <= game.PartyCount; ++i)
        if (Creature* c = game.Member(i)) MemberRoundEnd(game, *c);
    if (PartyIsDown(game)) return Defeat(game, player, display);
    if (b.GroupCount == 0) return Victory(game, player, display);
    b.Phase = BattlePhase::Commands;
    b.InputIndex = 1;
    return BattleEnd::Ongoing;
}

}  // namespace kv
