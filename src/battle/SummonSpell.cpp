// A summon's spell: drawn and announced as a monster's, but it works for the
// party: it strikes, afflicts and weakens the monsters, and heals, armours
// and shields the members.
#include <algorithm>
#include <array>

#include "battle/MonsterActions.h"
#include "battle/MonsterSpell.h"
#include "battle/SpellEffects.h"
#include "character/CharacterRules.h"
#include "core/Dice.h"

namespace kv {

namespace {

constexpr int ConditionLost = 33;
constexpr int TargetOneMember = 4;
constexpr int TargetOneGroup = 2;

// The first living monster of a random group takes the spell.
void StrikeOne(Game& game, Player& player, SpellCast& cast, int32_t, int) {
    const int group = RandomRowGroup(game);
    const int member = FirstLivingMember(game, group);
    if (member == 0) return;
    Creature& m = game.Battle.Monster(group, member);
    int64_t damage = SpellDamage(game, cast.Caster, m, cast.Spell, game.Battle.MonsterMagicShield);
    if (PartyHasSkill(game, Skill::SummonSpellPower)) damage *= 2;
    const int attribute = cast.Spell.SpellAttribute;
    const int extra = SpellExtraCondition(attribute);
    ApplyAttributeDamage(game, player, cast.Prefix,
                         static_cast<int32_t>(std::clamp<int64_t>(damage, 0, INT32_MAX)),
                         cast.Caster, m, MagicResistance, attribute, extra, false);
}

// A group's worth of living monsters: one random group, or every group.
std::vector<Creature*> Monsters(Game& game, bool oneGroup) {
    if (oneGroup) return LivingMembers(game, RandomRowGroup(game));
    std::vector<Creature*> all;
    for (int g = 1; g <= BattleGroupCount; ++g)
        for (Creature* m : LivingMembers(game, g)) all.push_back(m);
    return all;
}

void Afflict(Game& game, Player& player, SpellCast& cast, int32_t kind, int chance) {
    for (Creature* m : Monsters(game, cast.Spell.TargetKind == TargetOneGroup))
        InflictCondition(game, player, cast.Prefix + "\n", *m, kind, chance, false, -1,
                         &cast.Caster);
}

void WorsenArmour(Game& game, Player& player, SpellCast& cast, int32_t, int) {
    for (Creature* m : Monsters(game, true))
        ChangeArmour(game, player, cast, *m, cast.Spell.SpellDice[0]);
}

// The party's own spells, aimed at one random member or at every member.
void ForMembers(Game& game, Player& player, SpellCast& cast, EffectRoutine run, int32_t whole) {
    if (whole == 0) {
        Creature* c = RandomActiveMember(game);
        if (c == nullptr) return;
        cast.Target = RosterSlotOf(game, *c);
    }
    run(game, player, cast, whole, 0);
}

void ImproveArmour(Game& game, Player& player, SpellCast& cast, int32_t, int) {
    if (cast.Spell.TargetKind == TargetOneMember) {
        if (Creature* c = RandomActiveMember(game))
            ChangeArmour(game, player, cast, *c, -cast.Spell.SpellDice[0]);
        return;
    }
    for (int i = 1; i <= game.PartyCount; ++i)
        if (Creature* c = game.Member(i))
            ChangeArmour(game, player, cast, *c, -cast.Spell.SpellDice[0]);
}

void HealOne(Game& game, Player& player, SpellCast& cast, int32_t, int) {
    ForMembers(game, player, cast, HealMembers, 0);
}

void HealAll(Game& game, Player& player, SpellCast& cast, int32_t, int) {
    ForMembers(game, player, cast, HealMembers, 1);
}

void HealOneFully(Game& game, Player& player, SpellCast& cast, int32_t, int) {
    ForMembers(game, player, cast, FullHeal, 0);
}

// Lingering damage over a random group; no caster lengthens it.
void AreaOnGroup(Game& game, Player& player, SpellCast& cast, int32_t, int) {
    const int attribute = cast.Spell.SpellAttribute;
    const int group = RandomRowGroup(game);
    if (group == 0 || !IsAreaAttribute(attribute)) return;
    const auto& d = cast.Spell.SpellDice;
    game.Battle.GroupAreaEffects[static_cast<size_t>(group)][static_cast<size_t>(attribute)] =
        GroupAreaEffect{d[0], d[1], d[2], d[0], attribute, 0};
    player.Message(cast.Prefix);
}

// clang-format off
constexpr std::array<EffectRow, 15> SummonEffects = {{
    {2, StrikeOne, 0, 0},
    {15, Afflict, 15, 100},  // sleep
    {17, Afflict, 17, 100},  // fear
    {18, Afflict, 18, 100},  // confusion
    {23, Afflict, 23, 100},  // silence
    {33, Afflict, ConditionLost, 70},
    {4, WorsenArmour, 0, 0},
    {5, ImproveArmour, 0, 0},
    {7, HealOne, 0, 0},
    {53, HealOneFully, 0, 0},
    {52, HealAll, 0, 0},
    {65, AreaOnGroup, 0, 0},
    {46, RaisePartyShield, 0, 0},
    {47, RaisePartyShield, 1, 0},
    {48, BreakMonsterShields, 0, 0},
}};
// clang-format on

}  // namespace

void CastSummonSpell(Game& game, Player& player, SpellCast& cast) {
    RunEffectRow(SummonEffects, game, player, cast);
}

}  // namespace kv
