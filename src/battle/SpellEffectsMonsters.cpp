// The effects a spell or a song has on the monster groups: damage, the
// conditions, armour, identifying, draining, exorcism, chaos and the rest.
// Every loop over a group stops once the caster himself has fallen.
#include <algorithm>
#include <array>
#include <cmath>

#include "battle/SpellEffects.h"
#include "character/CharacterRules.h"
#include "core/Dice.h"
#include "core/StringTable.h"

namespace kv {

namespace {

constexpr int32_t KindUndead = 2;
constexpr int32_t KindDemon = 1024;
constexpr int32_t KindSpirit = 4096;

bool CasterFell(const SpellCast& cast) {
    return (cast.Caster.Status & GoneMask) != 0 || cast.Caster.HP <= 0;
}

// Each living member of each group the spell reaches, until the caster falls.
template <typename Fn>
void ForEachTarget(Game& game, const SpellCast& cast, const std::vector<int>& groups, Fn fn) {
    for (int g : groups) {
        for (Creature* m : LivingMembers(game, g)) {
            if (CasterFell(cast)) return;
            fn(*m);
        }
    }
}

int ResistOf(const Creature& c, int index) {
    return index >= 0 && static_cast<size_t>(index) < c.Resist.size()
               ? c.Resist[static_cast<size_t>(index)]
               : 0;
}

void Book(Game& game, Creature& monster, Creature& killer) {
    if (monster.HP <= 0 && (monster.Status & StatusDead) == 0)
        MonsterKilled(game, monster, &killer, false);
}

}  // namespace

void AttackGroups(Game& game, Player& player, SpellCast& cast, int32_t, int) {
    std::vector<int> groups = SpellGroups(game, cast);
    const int extra = SpellExtraCondition(cast.Spell.SpellAttribute);
    if (cast.Spell.TargetKind == 1) {
        // One monster: the group's first living member.
        const int group = groups.empty() ? 0 : groups.front();
        const int member = FirstLivingMember(game, group);
        if (member == 0) return;
        Creature& m = game.Battle.Monster(group, member);
        const int32_t damage =
            SpellDamage(game, cast.Caster, m, cast.Spell, game.Battle.MonsterMagicShield);
        ApplyAttributeDamage(game, player, cast.Prefix, damage, cast.Caster, m, cast.General,
                             cast.Spell.SpellAttribute, extra, false);
        return;
    }
    ForEachTarget(game, cast, groups, [&](Creature& m) {
        const int32_t damage =
            SpellDamage(game, cast.Caster, m, cast.Spell, game.Battle.MonsterMagicShield);
        ApplyAttributeDamage(game, player, cast.Prefix, damage, cast.Caster, m, cast.General,
                             cast.Spell.SpellAttribute, extra, false);
    });
}

void ConditionOnGroups(Game& game, Player& player, SpellCast& cast, int32_t kind, int chance) {
    const std::string prefix = cast.Prefix + "\n";
    ForEachTarget(game, cast, SpellGroups(game, cast), [&](Creature& m) {
        InflictCondition(game, player, prefix, m, kind, chance, false, cast.General, &cast.Caster);
    });
}

void PoisonGroup(Game& game, Player& player, SpellCast& cast, int32_t kind, int chance) {
    const std::string prefix = cast.Prefix + "\n";
    ForEachTarget(game, cast, SpellGroups(game, cast), [&](Creature& m) {
        InflictCondition(game, player, prefix, m, kind, chance, false, -1, &cast.Caster);
    });
}

void MonsterArmour(Game& game, Player& player, SpellCast& cast, int32_t, int) {
    ForEachTarget(game, cast, SpellGroups(game, cast), [&](Creature& m) {
        ChangeArmour(game, player, cast, m, cast.Spell.SpellDice[0]);
    });
}

void IdentifyGroup(Game& game, Player& player, SpellCast& cast, int32_t, int) {
    player.Message(cast.Prefix);
    if (cast.Target >= 1 && cast.Target <= BattleGroupCount)
        for (int m = 0; m <= GroupMemberCount; ++m)
            game.Battle.Monster(cast.Target, m).Identified = -1;
    game.PartyEffects |= PartyEffectIdentify;
}

void BreakMonsterShields(Game& game, Player& player, SpellCast& cast, int32_t, int) {
    game.Battle.MonsterMagicShield = 0;
    game.Battle.BreathShield = 0;
    Say(player, cast, "モンスターのシールドを打ち消した");
}

void DrainLife(Game& game, Player& player, SpellCast& cast, int32_t, int) {
    const int member = FirstLivingMember(game, cast.Target);
    if (member == 0) return;
    Creature& m = game.Battle.Monster(cast.Target, member);
    if (ResistRoll(game, ResistOf(m, MagicResistance), ResistOf(m, cast.Spell.SpellAttribute)) !=
        NotResisted) {
        Say(player, cast, m.Name + std::string(ResString(Str::Resisted)));
        return;
    }
    const auto& dice = cast.Spell.SpellDice;
    const int32_t damage =
        ShieldedRoll(Dice(game.Rng, dice[0], dice[1], dice[2]), game.Battle.MonsterMagicShield);
    std::string text = DamageCreature(m, damage);
    if ((cast.Caster.Race & SpellImmuneRace) != 0 && !IsMonster(cast.Caster))
        text += "\n" + cast.Caster.Name + "は\n吸収できなかった";
    else
        text += "\n" + HealCreature(cast.Caster, damage);
    Say(player, cast, text);
    Book(game, m, cast.Caster);
}

void Exorcise(Game& game, Player& player, SpellCast& cast, int32_t, int) {
    ForEachTarget(game, cast, SpellGroups(game, cast), [&](Creature& m) {
        const bool resisted = ResistRoll(game, ResistOf(m, MagicResistance),
                                         ResistOf(m, cast.Spell.SpellAttribute)) != NotResisted;
        const bool kindFits = (m.Class & (KindDemon | KindUndead)) != 0;
        if (resisted || !kindFits ||
            Dice(game.Rng, 1, cast.Caster.Level, 0) < Dice(game.Rng, 1, m.Level, 0)) {
            Say(player, cast, m.Name + "を\n退魔できなかった");
            return;
        }
        Say(player, cast, m.Name + "を\n退魔した");
        m.HP = 0;
        MonsterKilled(game, m, &cast.Caster, false);
    });
}

void Chaos(Game& game, Player& player, SpellCast& cast, int32_t, int) {
    ForEachTarget(game, cast, SpellGroups(game, cast), [&](Creature& m) {
        if (ResistRoll(game, ResistOf(m, MagicResistance),
                       ResistOf(m, cast.Spell.SpellAttribute)) != NotResisted) {
            Say(player, cast, m.Name + std::string(ResString(Str::SpellResisted)));
            return;
        }
        constexpr std::array<int32_t, 5> Conditions = {0, StatusSleep, StatusConfusion, StatusBlind,
                                                       StatusSilence};
        const int roll = Dice(game.Rng, 1, 10, 0);
        if (roll <= 4) {
            Say(player, cast,
                m.Name + SetCondition(m.Status, Conditions[static_cast<size_t>(roll)]));
        } else if (roll == 5) {
            // Gone without a reward, like a dispelled monster.
            Say(player, cast, m.Name + "は逃げた・・・");
            m.HP = 0;
            m.Status = StatusDead;
        } else if (roll == 6) {
            Say(player, cast, HealCreature(m, m.MaxHP));
        } else if (roll == 9) {
            // The caster's own power: a d(IQ) for every five levels.
            const int32_t damage =
                Dice(game.Rng, 1 + cast.Caster.Level / 5, std::max<int>(cast.Caster.IQ, 1), 0);
            Say(player, cast, DamageCreature(m, damage));
            Book(game, m, cast.Caster);
        } else {
            Say(player, cast, m.Name + "は\n何の変化も無い");
        }
    });
}

void NearDeath(Game& game, Player& player, SpellCast& cast, int32_t, int) {
    ForEachTarget(game, cast, SpellGroups(game, cast), [&](Creature& m) {
        const int result =
            ResistRoll(game, ResistOf(m, MagicResistance), ResistOf(m, cast.Spell.SpellAttribute));
        if (result == Reflected) {
            cast.Caster.HP = 1;
            Say(player, cast,
                m.Name + "は\n呪文を反射した\n" + cast.Caster.Name + "は\n瀕死状態におちいった");
        } else if (result != NotResisted) {
            Say(player, cast, m.Name + std::string(ResString(Str::SpellResisted)));
        } else {
            m.HP = 1;
            Say(player, cast, m.Name + "は\n瀕死状態におちいった");
        }
    });
}

void LingeringArea(Game& game, Player& player, SpellCast& cast, int32_t, int) {
    const int attribute = cast.Spell.SpellAttribute;
    // Only the elements the round's end applies linger.
    if (cast.Target < 1 || cast.Target > BattleGroupCount || !IsAreaAttribute(attribute)) return;
    GroupAreaEffect& e =
        game.Battle
            .GroupAreaEffects[static_cast<size_t>(cast.Target)][static_cast<size_t>(attribute)];
    const auto& dice = cast.Spell.SpellDice;
    e = GroupAreaEffect{dice[0], dice[1],   dice[2],
                        dice[0], attribute, RosterSlotOf(game, cast.Caster)};
    player.Message(cast.Prefix);
}

void LowerLuck(Game& game, Player& player, SpellCast& cast, int32_t, int) {
    ForEachTarget(game, cast, SpellGroups(game, cast), [&](Creature& m) {
        if (ResistRoll(game, ResistOf(m, MagicResistance), 0) != NotResisted) {
            Say(player, cast, m.Name + std::string(ResString(Str::SpellResisted)));
        } else if (m.Luck == 0) {
            Say(player, cast, m.Name + "は\nこれ以上効果が無い");
        } else {
            m.Luck = m.Luck < 6 ? 0 : static_cast<uint8_t>(m.Luck - 5);
            Say(player, cast, m.Name + "は\n運が下がった");
        }
    });
}

void UndoRaises(Game& game, Player& player, SpellCast& cast, int32_t, int) {
    if (cast.Target < 1 || cast.Target > BattleGroupCount) return;
    for (int i = 0; i <= GroupMemberCount; ++i) {
        Creature& m = game.Battle.Monster(cast.Target, i);
        if (m.Id <= 0 || m.Id >= static_cast<int32_t>(game.Monsters.size())) continue;
        const Creature& def = game.Monsters[static_cast<size_t>(m.Id)];
        m.Resist = def.Resist;
        m.Str = def.Str;
        m.IQ = def.IQ;
        m.Piety = def.Piety;
        m.Vitality = def.Vitality;
        m.Dexterity = def.Dexterity;
        m.Agility = def.Agility;
        m.Charm = def.Charm;
        m.Luck = def.Luck;
    }
    Say(player, cast, game.Battle.Monster(cast.Target, 0).Name + "の\n能力ＵＰを解除した");
}

void SongDamage(Game& game, Player& player, SpellCast& cast, int32_t moon, int) {
    // The moon's step counter sets the die: the fuller the moon, the harder.
    const int sides = (moon == 1 ? game.LunaCount : game.ArtemisCount) / 50;
    const auto& dice = cast.Spell.SpellDice;
    ForEachTarget(game, cast, SpellGroups(game, cast), [&](Creature& m) {
        const int32_t damage = Dice(game.Rng, dice[0], sides, dice[2]);
        ApplyAttributeDamage(game, player, cast.Prefix, damage, cast.Caster, m, cast.General,
                             cast.Spell.SpellAttribute, 0, false);
    });
}

void BaneOfUndead(Game& game, Player& player, SpellCast& cast, int32_t, int) {
    const auto& dice = cast.Spell.SpellDice;
    ForEachTarget(game, cast, SpellGroups(game, cast), [&](Creature& m) {
        if ((m.Class & (KindSpirit | KindUndead)) == 0) {
            Say(player, cast, m.Name + "は効果が無い");
            return;
        }
        ApplyAttributeDamage(game, player, cast.Prefix, Dice(game.Rng, dice[0], dice[1], dice[2]),
                             cast.Caster, m, cast.General, cast.Spell.SpellAttribute, 0, false);
    });
}

}  // namespace kv
