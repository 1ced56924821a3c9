// The effects a spell or a song has on the party: armour, healing, cures,
// shields, wards, spell points, hiding, the escape and the miracle. A member
// of the immune race is never touched by them.
#include <algorithm>

#include "battle/SpellEffects.h"
#include "character/CharacterRules.h"
#include "core/Dice.h"
#include "core/StringTable.h"

namespace kv {

namespace {

constexpr int ShieldLimit = 3;
constexpr int TargetEveryMember = 5;
constexpr int FrontMembers = 3;

bool Whole(const SpellCast& cast) {
    return cast.Spell.TargetKind != 4;
}

std::string Word(Str text) {
    return std::string(ResString(text));
}

// Each member the effect reaches who is not of the immune race.
template <typename Fn>
void ForEachMember(Game& game, Player& player, const SpellCast& cast, bool whole, Fn fn) {
    for (Creature* c : SpellMembers(game, cast, whole))
        if (!VoidsSpell(player, cast, *c)) fn(*c);
}

// A full heal refuses the members of the mask (the gone, and for the whole
// party the diseased too).
void FullyHealOne(Player& player, const SpellCast& cast, Creature& c, int32_t refused) {
    if ((c.Status & refused) != 0) {
        Say(player, cast, c.Name + Word(Str::NoEffect));
        return;
    }
    int32_t cured = FullCureBits;
    if (HasSkill(cast.Caster, Skill::CureDisease)) cured |= StatusDisease;
    c.Status &= ~cured;
    Say(player, cast, HealCreature(c, c.MaxHP));
}

}  // namespace

void PartyArmour(Game& game, Player& player, SpellCast& cast, int32_t, int) {
    ForEachMember(game, player, cast, Whole(cast), [&](Creature& c) {
        ChangeArmour(game, player, cast, c, -cast.Spell.SpellDice[0]);
    });
}

void HealMembers(Game& game, Player& player, SpellCast& cast, int32_t whole, int) {
    ForEachMember(game, player, cast, whole != 0, [&](Creature& c) {
        Say(player, cast, HealCreature(c, SpellDamage(game, cast.Caster, c, cast.Spell, 0)));
    });
}

void FullHeal(Game& game, Player& player, SpellCast& cast, int32_t whole, int) {
    ForEachMember(game, player, cast, whole != 0, [&](Creature& c) {
        FullyHealOne(player, cast, c, whole ? NoHealMask : GoneMask);
    });
}

void CureMembers(Game& game, Player& player, SpellCast& cast, int32_t bits, int alone) {
    const bool whole = alone == 0 && HasSkill(cast.Caster, Skill::GroupCaster);
    ForEachMember(game, player, cast, whole, [&](Creature& c) {
        if ((c.Status & GoneMask) != 0) {
            Say(player, cast, c.Name + Word(Str::NoEffect));
            return;
        }
        c.Status &= ~bits;
        Say(player, cast, c.Name + "は\n" + Word(Str::Recovered));
    });
}

void CureWhenAfflicted(Game& game, Player& player, SpellCast& cast, int32_t bits, int) {
    const std::string done = bits == StatusSleep   ? "眠りから覚めた"
                             : bits == StatusBlind ? "盲目から回復した"
                                                   : "解毒された";
    ForEachMember(game, player, cast, true, [&](Creature& c) {
        if ((c.Status & bits) == 0) {
            Say(player, cast, c.Name + "は\n効果が無い");
            return;
        }
        c.Status &= ~bits;
        Say(player, cast, c.Name + "は\n" + done);
    });
}

void RaisePartyShield(Game& game, Player& player, SpellCast& cast, int32_t breath, int) {
    int16_t& level = breath != 0 ? game.Battle.PartyBreathShield : game.Battle.PartyMagicShield;
    if (level >= ShieldLimit) {
        Say(player, cast, "しかし効果がなかった");
        return;
    }
    ++level;
    Say(player, cast,
        breath != 0 ? "パーティーにブレスのシールドが張られた"
                    : "パーティーに魔法のシールドが張られた");
}

void Miracle(Game& game, Player& player, SpellCast& cast, int32_t, int) {
    DrainLevels(game, cast.Caster, 1);
    const auto everyMonster = [&](auto fn) {
        for (int g = 1; g <= BattleGroupCount; ++g)
            for (Creature* m : LivingMembers(game, g)) fn(*m);
    };
    switch (Dice(game.Rng, 1, 10, 0)) {
        case 1:
            for (Creature* c : SpellMembers(game, cast, true))
                if ((c->Status & NoHealMask) == 0) c->HP = c->MaxHP;
            Say(player, cast, "パーティーは全快した");
            break;
        case 2:
            for (Creature* c : SpellMembers(game, cast, true)) c->MP = c->MaxMP;
            Say(player, cast, "パーティーの魔力が復活した");
            break;
        case 3:
            for (Creature* c : SpellMembers(game, cast, true))
                if ((c->Status & GoneMask) == 0) c->Status &= ~FullCureBits;
            Say(player, cast, "パーティーは治癒した");
            break;
        case 4:
            everyMonster([](Creature& m) { m.Status |= StatusSilence; });
            Say(player, cast, "モンスターは沈黙した");
            break;
        case 5:
            everyMonster([](Creature& m) { m.Status |= StatusConfusion; });
            Say(player, cast, "モンスターは混乱した");
            break;
        case 6:
            everyMonster([&](Creature& m) {
                constexpr int32_t Spared = 4096 | 8192;
                if (m.Level >= 34 || (m.Class & Spared) != 0) return;
                m.HP = 0;
                Say(player, cast, MonsterKilled(game, m, &cast.Caster, true));
            });
            break;
        default:
            player.Message(cast.Prefix);
            break;
    }
}

void EscapeSpell(Game& game, Player& player, SpellCast& cast, int32_t, int) {
    game.PartyX = game.LastX;
    game.PartyY = game.LastY;
    Say(player, cast, "パーティは逃げ出した");
    game.Battle.Phase = BattlePhase::None;
    EndBattle(game);
}

void WardMembers(Game& game, Player& player, SpellCast& cast, int32_t bit, int alone) {
    ForEachMember(game, player, cast, alone == 0, [&](Creature& c) {
        c.Status |= bit;
        Say(player, cast, c.Name + "は\n守られた");
    });
}

void RestoreSpellPoints(Game& game, Player& player, SpellCast& cast, int32_t, int) {
    constexpr int School = 1;
    ForEachMember(game, player, cast, false, [&](Creature& c) {
        bool restored = false;
        for (int level = 1; level < SpellLevels; ++level) {
            if (c.MPAt(School, level) < c.MaxMPAt(School, level)) {
                ++c.MPAt(School, level);
                restored = true;
            }
        }
        Say(player, cast, restored ? c.Name + "の魔力が復活した" : c.Name + Word(Str::NoEffect));
    });
}

void HideMembers(Game& game, Player& player, SpellCast& cast, int32_t, int) {
    if (cast.Spell.TargetKind != TargetEveryMember) {
        cast.Caster.Status |= StatusHidden;
        Say(player, cast, cast.Caster.Name + "は影に隠れた");
        return;
    }
    ForEachMember(game, player, cast, true, [&](Creature& c) {
        c.Status |= StatusHidden;
        Say(player, cast, c.Name + "は影に隠れた");
    });
}

void SetPartyEffect(Game& game, Player& player, SpellCast& cast, int32_t bit, int) {
    if ((game.PartyEffects & bit) != 0) {
        Say(player, cast, "すでに効いている");
        return;
    }
    game.PartyEffects |= bit;
    Say(player, cast, "宝箱の収集率がＵＰした");
}

void SetBlessing(Game& game, Player& player, SpellCast& cast, int32_t bit, int) {
    constexpr std::array<std::pair<int32_t, const char*>, 7> Words = {{
        {BlessingFearResistance, "パーティの恐怖への耐性があがった"},
        {BlessingFewerEncounters, "パーティの周囲から魔物の気配が少なくなった"},
        {BlessingRegeneration, "パーティにリジェネの効果"},
        {BlessingSamuraiMight, "パーティ内の侍のダメージがアップした"},
        {BlessingLordMight, "パーティ内のロードのダメージがアップした"},
        {BlessingTheft, "パーティの盗む確率がアップした"},
        {BlessingShield, "パーティに防御シールドがはられた"},
    }};
    game.PartyBlessings |= bit;
    for (const auto& [b, text] : Words)
        if (b == bit) Say(player, cast, text);
}

void SongHealFront(Game& game, Player& player, SpellCast& cast, int32_t, int) {
    int reached = 0;
    ForEachMember(game, player, cast, true, [&](Creature& c) {
        if (++reached > FrontMembers) return;
        Say(player, cast, HealCreature(c, SpellDamage(game, cast.Caster, c, cast.Spell, 0)));
    });
}

void SongHealAll(Game& game, Player& player, SpellCast& cast, int32_t, int) {
    ForEachMember(game, player, cast, true, [&](Creature& c) {
        Say(player, cast, HealCreature(c, SpellDamage(game, cast.Caster, c, cast.Spell, 0)));
    });
}

void SongCure(Game& game, Player& player, SpellCast& cast, int32_t bits, int) {
    ForEachMember(game, player, cast, true, [&](Creature& c) {
        if ((c.Status & NoHealMask) != 0) {
            Say(player, cast, c.Name + Word(Str::NoEffect));
            return;
        }
        c.Status &= ~bits;
        Say(player, cast, c.Name + "は\n" + Word(Str::Recovered));
    });
}

void SongFullHeal(Game& game, Player& player, SpellCast& cast, int32_t, int) {
    ForEachMember(game, player, cast, true,
                  [&](Creature& c) { Say(player, cast, HealCreature(c, c.MaxHP)); });
}

}  // namespace kv
