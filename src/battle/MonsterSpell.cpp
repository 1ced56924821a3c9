// A monster casts at the party: who is aimed at (a summon, a row or the
// whole party), the effects the monster side knows, and the members who
// cast the spell back or strike back.
#include "battle/MonsterSpell.h"

#include <algorithm>
#include <array>

#include "battle/MonsterActions.h"
#include "battle/SpellEffects.h"
#include "character/CharacterRules.h"
#include "core/Dice.h"
#include "core/StringTable.h"

namespace kv {

namespace {

constexpr int SchoolAlchemy = 2;  // alchemy is not spoken: silence does not stop it
constexpr int FrontRow = 3;

struct MonsterCast {
    SpellCast Cast;
    Creature* Summon = nullptr;    // the summon the spell goes at instead of the party
    std::vector<Creature*> Aimed;  // the party members aimed at, for their answer
};

int MainHandSlotOf(const Creature& c) {
    for (size_t s = 1; s < c.Items.size(); ++s)
        if (c.Items[s].ItemId != 0 && (c.Items[s].ItemFlags & 7) == 1) return static_cast<int>(s);
    return 0;
}

bool Active(const Creature& c) {
    return c.Id != 0 && (c.Status & AbsentMask) == 0;
}

bool CasterFell(const Creature& caster) {
    return (caster.Status & StatusDead) != 0 || caster.HP <= 0;
}

std::vector<Creature*> ActiveSummons(Game& game) {
    std::vector<Creature*> summons;
    for (int s = 1; s <= SummonSlotCount; ++s) {
        Creature& c = game.Battle.Summons[static_cast<size_t>(s)];
        if (Active(c)) summons.push_back(&c);
    }
    return summons;
}

// The party members at marching positions first..last.
std::vector<Creature*> Positions(Game& game, int first, int last) {
    std::vector<Creature*> members;
    for (int i = first; i <= last; ++i)
        if (Creature* c = game.Member(i)) members.push_back(c);
    return members;
}

// A row of the party: the front on a low roll of the caster's wits.
std::vector<Creature*> PartyRow(Game& game, const Creature& caster) {
    const int n = game.PartyCount;
    if (Dice(game.Rng, 1, caster.IQ, 0) < 7 || n < FrontRow + 1)
        return Positions(game, 1, std::min(FrontRow, static_cast<int>(n)));
    return Positions(game, FrontRow + 1, n);
}

// Who the spell reaches on the party's side, by its target kind.
std::vector<Creature*> Targets(Game& game, MonsterCast& mc) {
    const int kind = mc.Cast.Spell.TargetKind;
    std::vector<Creature*> targets;
    if (kind == 1) {
        if (mc.Summon != nullptr) return {mc.Summon};
        if (game.PartyCount > 0)
            if (Creature* c = game.Member(Dice(game.Rng, 1, game.PartyCount, 0)))
                mc.Aimed = targets = {c};
    } else if (kind == 2) {
        if (mc.Summon != nullptr) return ActiveSummons(game);
        mc.Aimed = targets = PartyRow(game, mc.Cast.Caster);
    } else if (kind == 3) {
        if (mc.Summon != nullptr) targets = ActiveSummons(game);
        mc.Aimed = Positions(game, 1, game.PartyCount);
        targets.insert(targets.end(), mc.Aimed.begin(), mc.Aimed.end());
    }
    return targets;
}

// A member the spell reached: he is the current character now, and a
// member who feeds on spells regains a point.
void Reached(Game& game, const SpellDef& spell, Creature& c) {
    if (IsMonster(c)) return;
    if (const int slot = RosterSlotOf(game, c)) game.CurrentChar = static_cast<int16_t>(slot);
    if (HasSkill(c, Skill::SpellPointsFromHits) &&
        IsSpellIndex(spell.School, spell.SpellLevel, 0)) {
        int16_t& mp = c.MPAt(spell.School, spell.SpellLevel);
        mp = static_cast<int16_t>(std::min<int>(mp + 1, c.MaxMPAt(spell.School, spell.SpellLevel)));
    }
}

void Attack(Game& game, Player& player, MonsterCast& mc) {
    SpellCast& cast = mc.Cast;
    const int attribute = cast.Spell.SpellAttribute;
    const int extra = SpellExtraCondition(attribute);
    for (Creature* t : Targets(game, mc)) {
        if (CasterFell(cast.Caster)) break;
        if (!Active(*t)) continue;
        Reached(game, cast.Spell, *t);
        const int32_t damage =
            SpellDamage(game, cast.Caster, *t, cast.Spell, game.Battle.PartyMagicShield);
        ApplyAttributeDamage(game, player, cast.Prefix, damage, cast.Caster, *t, MagicResistance,
                             attribute, extra, false);
    }
}

void Conditions(Game& game, Player& player, MonsterCast& mc) {
    SpellCast& cast = mc.Cast;
    std::vector<Creature*> targets;
    if (mc.Summon != nullptr)
        targets = ActiveSummons(game);
    else
        targets = cast.Spell.TargetKind == 2 ? PartyRow(game, cast.Caster)
                                             : Positions(game, 1, game.PartyCount);
    for (Creature* t : targets) {
        if (!Active(*t)) continue;
        Reached(game, cast.Spell, *t);
        InflictCondition(game, player, cast.Prefix + "\n", *t, cast.Spell.Effect, 100, false, -1,
                         &cast.Caster);
    }
}

// The acting group's living members (the first alone for kind 4).
std::vector<Creature*> OwnGroup(Game& game, const SpellCast& cast) {
    std::vector<Creature*> members = LivingMembers(game, game.Battle.ActingGroup);
    // Erased rather than resized: GCC 12 at -O3 warns falsely about resize's
    // growing path here, which stops the Release build.
    if (cast.Spell.TargetKind == 4 && members.size() > 1)
        members.erase(members.begin() + 1, members.end());
    return members;
}

void MonsterArmourUp(Game& game, Player& player, MonsterCast& mc) {
    for (Creature* m : OwnGroup(game, mc.Cast))
        ChangeArmour(game, player, mc.Cast, *m, -mc.Cast.Spell.SpellDice[0]);
}

void PartyArmourDown(Game& game, Player& player, MonsterCast& mc) {
    std::vector<Creature*> targets =
        mc.Summon != nullptr ? ActiveSummons(game) : Positions(game, 1, game.PartyCount);
    for (Creature* t : targets) ChangeArmour(game, player, mc.Cast, *t, mc.Cast.Spell.SpellDice[0]);
}

// The monsters who can still be healed, in group and member order.
std::vector<Creature*> Healable(Game& game) {
    std::vector<Creature*> monsters;
    for (int g = 1; g <= BattleGroupCount; ++g)
        for (int m = 1; m <= GroupMemberCount; ++m) {
            Creature& c = game.Battle.Monster(g, m);
            if (c.Id > 0 && (c.Status & NoHealMask) == 0) monsters.push_back(&c);
        }
    return monsters;
}

void HealOne(Game& game, Player& player, MonsterCast& mc) {
    const std::vector<Creature*> monsters = Healable(game);
    if (monsters.empty()) return;
    const auto& d = mc.Cast.Spell.SpellDice;
    Say(player, mc.Cast, HealCreature(*monsters.front(), Dice(game.Rng, d[0], d[1], d[2])));
}

void HealOneFully(Game& game, Player& player, MonsterCast& mc) {
    const std::vector<Creature*> monsters = Healable(game);
    if (monsters.empty()) return;
    Creature& m = *monsters.front();
    m.Status &= ~FullCureBits;
    Say(player, mc.Cast, HealCreature(m, m.MaxHP));
}

void HealEvery(Game& game, Player& player, MonsterCast& mc) {
    const auto& d = mc.Cast.Spell.SpellDice;
    for (Creature* m : Healable(game))
        Say(player, mc.Cast, HealCreature(*m, Dice(game.Rng, d[0], d[1], d[2])));
}

void PartyArea(Game& game, Player& player, MonsterCast& mc) {
    const SpellDef& s = mc.Cast.Spell;
    // Only the elements the round's end applies linger.
    if (IsAreaAttribute(s.SpellAttribute))
        game.Battle.PartyAreaEffects[s.SpellAttribute] = {s.SpellDice[0], s.SpellDice[1],
                                                          s.SpellDice[2], s.SpellDice[0]};
    player.Message(mc.Cast.Prefix);
}

void MagicShieldUp(Game& game, Player& player, MonsterCast& mc) {
    int16_t& level = game.Battle.MonsterMagicShield;
    if (level > 2) return Say(player, mc.Cast, "しかし効果がなかった");
    ++level;
    Say(player, mc.Cast, "モンスターに魔法のシールドが張られた");
}

void BreathShieldUp(Game& game, Player& player, MonsterCast& mc) {
    int16_t& level = game.Battle.BreathShield;
    if (level > 2) return Say(player, mc.Cast, "しかし効果がなかった");
    ++level;
    Say(player, mc.Cast, "モンスターににブレスのシールドが張られた");
}

void PartyShieldsDown(Game& game, Player& player, MonsterCast& mc) {
    game.Battle.PartyMagicShield = game.Battle.PartyBreathShield = 0;
    Say(player, mc.Cast, "パーティーの魔法のシールドを打ち消した");
}

using MonsterEffect = void (*)(Game&, Player&, MonsterCast&);
struct MonsterEffectRow {
    int Code;
    MonsterEffect Run;
};
// The effect codes the monster side knows; any other does nothing.
constexpr std::array<MonsterEffectRow, 15> MonsterEffects = {{
    {2, Attack},
    {15, Conditions},
    {17, Conditions},
    {18, Conditions},
    {23, Conditions},
    {33, Conditions},
    {5, MonsterArmourUp},
    {4, PartyArmourDown},
    {7, HealOne},
    {53, HealOneFully},
    {52, HealEvery},
    {65, PartyArea},
    {46, MagicShieldUp},
    {47, BreathShieldUp},
    {48, PartyShieldsDown},
}};

// The members aimed at answer an attack spell: cast it back, or strike.
void Answer(Game& game, Player& player, MonsterCast& mc, int spellNo) {
    Creature& caster = mc.Cast.Caster;
    for (Creature* c : mc.Aimed) {
        if (!CanAct(caster) || CasterFell(caster)) return;
        if ((c->Status & StatusHidden) != 0 || !CanAct(*c)) continue;
        if (const int slot = RosterSlotOf(game, *c)) game.CurrentChar = static_cast<int16_t>(slot);
        if (HasSkill(*c, Skill::ReturnSpell)) {
            if (Dice(game.Rng, 1, c->IQ, 0) <= 10) continue;
            player.Message(c->Name + "は\n魔法をやりかえした");
            const int16_t arg = c->CommandArg;
            const int16_t target = c->TargetGroup;
            c->CommandArg = static_cast<int16_t>(spellNo);
            c->TargetGroup = game.Battle.ActingGroup;
            CastSpell(game, player, *c);
            c->CommandArg = arg;
            c->TargetGroup = target;
        } else if (HasSkill(*c, Skill::DodgeSpell) && Dice(game.Rng, 1, c->Agility, 0) > 10) {
            player.Message(c->Name + "は反撃にでた");
            PhysicalAttack(game, player, *c, caster, MainHandSlotOf(*c));
        }
    }
}

}  // namespace

void CastMonsterSpell(Game& game, Player& player, Creature& caster, int spellNo, int summon) {
    const SpellDef* row = SpellRow(game, spellNo);
    if (row == nullptr) return;
    MonsterCast mc{SpellCast{caster, *row, CastingPrefix(caster, *row), 0, MagicResistance, false},
                   nullptr,
                   {}};
    if ((caster.Status & StatusSilence) != 0 && row->School != SchoolAlchemy) {
        Say(player, mc.Cast, "しかし呪文は音にならなかった");
        return;
    }
    if (IsSummon(game, caster)) return CastSummonSpell(game, player, mc.Cast);
    // The turn's own choice is reused: the summon is not asked for twice.
    if (summon == AskSummon) summon = ChooseSummonTarget(game);
    if (summon >= 1 && summon <= SummonSlotCount)
        mc.Summon = &game.Battle.Summons[static_cast<size_t>(summon)];
    for (const MonsterEffectRow& e : MonsterEffects) {
        if (e.Code != row->Effect) continue;
        e.Run(game, player, mc);
        if (e.Code == 2) Answer(game, player, mc, spellNo);
        return;
    }
}

}  // namespace kv
