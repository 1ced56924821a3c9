// A monster's turn: the guardian's ward and the flinch that may cost it the
// turn, the draw of one of its 21 action rows, the row's action, and what
// follows every turn (regeneration, poison, coming out of hiding). The plain
// attack lives here too, with the party's guards, revenge and counters.
#include <array>

#include "battle/MonsterActions.h"
#include "character/CharacterRules.h"
#include "core/Dice.h"

namespace kv {

namespace {

constexpr int ActionDraw = 20;
constexpr int LastActionRow = 500;
constexpr int ResistPhysical = 1;
constexpr int ResistReflects = 255;

// The monster kinds that flinch before a party holding the daunting skill of
// the same place in the family (FirstDaunting + index), in the order tried.
constexpr std::array<int32_t, 14> DauntedKinds = {1048576, 4, 8192, 131072, 2097152, 1024, 65536,
                                                  32768,   1, 2,    64,     16,      32,   4096};

int MainHandSlot(const Creature& c) {
    for (size_t s = 1; s < c.Items.size(); ++s)
        if (c.Items[s].ItemId != 0 && (c.Items[s].ItemFlags & 7) == 1) return static_cast<int>(s);
    return 0;
}

bool IsDead(const Creature& c) {
    return (c.Status & StatusDead) != 0;
}

// The guardian's ward: the monster's action comes to nothing.
bool WardedOff(Game& game, Player& player, const Creature& monster) {
    if (!PartyHasSkill(game, Skill::GuardianWard)) return false;
    if (Dice(game.Rng, 1, 20, 0) != 1 || Dice(game.Rng, 1, monster.Level, 0) != 1) return false;
    player.Message(monster.Name + "の行動は\nケブレスの守護により無効化された");
    return true;
}

bool Flinches(Game& game, Player& player, const Creature& monster) {
    const int sides = PartyHasSkill(game, Skill::PartyFlinch) ? 4 : 10;
    if (Dice(game.Rng, 1, sides, 0) != 1 || Dice(game.Rng, 1, monster.Level, 0) != 1) return false;
    for (size_t i = 0; i < DauntedKinds.size(); ++i) {
        if (DauntedKinds[i] != monster.Class ||
            !PartyHasSkill(game, SkillOf(Skill::FirstDaunting, static_cast<int>(i))))
            continue;
        player.Message(monster.Name + "は\nひるんでいる");
        return true;
    }
    return false;
}

void Act(Game& game, Player& player, const ActionAim& aim, int row) {
    // Data may hold any number: a row outside the table does nothing.
    if (row < 1 || row > LastActionRow || row >= static_cast<int>(game.MonsterActions.size()))
        return;
    const MonsterActionDef& def = game.MonsterActions[static_cast<size_t>(row)];
    Creature& monster = *aim.Actor;
    switch (static_cast<ActionKind>(def.ActionKind)) {
        case ActionKind::Damage:
        case ActionKind::Conditions:
        case ActionKind::DamageAndConditions:
            RunDataAction(game, player, aim, def);
            return;
        case ActionKind::BuiltIn:
            break;
        default:
            return;
    }
    const BuiltInAction action = FindBuiltIn(row);
    switch (action.Action) {
        case BuiltIn::Attack:
            MonsterAttack(game, player, aim);
            break;
        case BuiltIn::Spell:
            MonsterCastSpell(game, player, monster, action.School, action.SpellLevel, aim.Summon);
            break;
        case BuiltIn::Flee:
            Flee(game, player, monster);
            break;
        case BuiltIn::CallForHelp:
            CallForHelp(game, player);
            break;
        case BuiltIn::Breath:
            MonsterBreath(game, player, aim, action.Attribute);
            break;
        case BuiltIn::Steal:
            StealAndRun(game, player, monster);
            break;
        case BuiltIn::Summon:
            SummonGroup(game, player, monster, row);
            break;
        case BuiltIn::Special:
            RunSpecialAttack(game, player, aim, row);
            break;
        case BuiltIn::Nothing:
            break;
    }
}

// Regeneration, poison and coming out of hiding, after every turn of a
// monster still in the battle.
void AfterTurn(Game& game, Player& player, Creature& monster) {
    if ((monster.Status & GoneMask) != 0) return;
    if (!PartyHasSkill(game, Skill::NoMonsterRegeneration) && monster.HP <= monster.MaxHP) {
        monster.HP +=
            PartyHasSkill(game, Skill::MonsterRegeneration) ? monster.Regen / 2 : monster.Regen;
        // A wasting monster (negative regeneration) dies of it unbooked, as of poison.
        if (monster.Regen < 0 && monster.HP < 1) {
            monster.HP = 0;
            monster.Status = StatusDead;
            return;
        }
    }
    // Poison kills without booking the monster.
    if ((monster.Status & StatusPoison) != 0)
        DamageCreature(monster, Dice(game.Rng, 1, monster.MaxHP / 128, 0), true);
    else if ((monster.Status & StatusDeadlyPoison) != 0)
        DamageCreature(monster, Dice(game.Rng, 1, monster.MaxHP / 32, 0), true);
    if ((monster.Status & StatusHidden) != 0 && Dice(game.Rng, 1, 4, 0) == 1) {
        player.Message(monster.Name + "は\n\nあらわれた");
        monster.Status &= ~StatusHidden;
    }
}

// A member about to fall may be shielded by one with the guardian's skill.
Creature* Guard(Game& game, Player& player, Creature* target) {
    if (target->HP <= 0 || target->HP >= target->MaxHP / 8) return target;
    for (int i = 1; i <= game.PartyCount; ++i) {
        Creature* c = game.Member(i);
        if (c == nullptr || c == target || !HasSkill(*c, Skill::Guardian)) continue;
        if (Dice(game.Rng, 1, c->Agility, 0) <= 12) continue;
        if (!CanAct(*c)) return target;
        player.Message(c->Name + "は\n" + target->Name + "をかばった");
        return c;
    }
    return target;
}

void AfterTheBlow(Game& game, Player& player, Creature& monster, Creature& target) {
    if (IsDead(target)) {
        if (HasSkill(target, Skill::Resurrection) && target.Sex == 2 &&
            Dice(game.Rng, 1, target.Vitality, 0) < Dice(game.Rng, 1, 10, 0)) {
            player.Message(target.Name + "は\nヴァルハラから帰還した！");
            target.Status = 0;
            target.HP = 1;
        }
        if (!IsDead(target) || IsDead(monster)) return;
        for (int i = 1; i <= game.PartyCount; ++i) {
            Creature* c = game.Member(i);
            if (c == nullptr || !HasSkill(*c, Skill::Avenger) || !CanAct(*c)) continue;
            player.Message(c->Name + "はあだ討ちにでた");
            PhysicalAttack(game, player, *c, monster, MainHandSlot(*c));
            return;
        }
        return;
    }
    if (!HasSkill(target, Skill::CounterAttack) || !CanAct(target) || IsDead(monster) ||
        (monster.Status & StatusHidden) != 0 || !CanAct(monster))
        return;
    if (Dice(game.Rng, 1, target.Agility, 0) < 11) return;
    if (HasSkill(target, Skill::CounterPiercing) &&
        monster.Resist[ResistPhysical] == ResistReflects)
        return;
    player.Message(target.Name + "は反撃にでた");
    PhysicalAttack(game, player, target, monster, MainHandSlot(target));
}

}  // namespace

void MonsterAttack(Game& game, Player& player, const ActionAim& aim) {
    Creature& monster = *aim.Actor;
    if ((monster.Status & (StatusConfusion | StatusCharm)) != 0) {
        // Bewildered, it strikes one of its own.
        const int group = RandomRowGroup(game);
        if (const int m = FirstLivingMember(game, group); m != 0)
            PhysicalAttack(game, player, monster, game.Battle.Monster(group, m), 0);
        return;
    }
    if (aim.Summon != 0) {
        PhysicalAttack(game, player, monster, game.Battle.Summons[static_cast<size_t>(aim.Summon)],
                       0);
        return;
    }
    Creature* target = PickMonsterTarget(game, monster);
    if (target == nullptr) return;
    target = Guard(game, player, target);
    PhysicalAttack(game, player, monster, *target, 0);
    AfterTheBlow(game, player, monster, *target);
}

void RunMonsterAction(Game& game, Player& player, Creature& monster, GameDisplay* display) {
    if (CanAct(monster)) {
        const int row = monster.Actions[static_cast<size_t>(Dice(game.Rng, 1, ActionDraw, 0))];
        if (WardedOff(game, player, monster) || Flinches(game, player, monster)) {
            monster.Initiative = 0;
            return;
        }
        ActionAim aim{&monster, ChooseSummonTarget(game)};
        aim.Display = display;
        Act(game, player, aim, row);
    }
    AfterTurn(game, player, monster);
    monster.Initiative = 0;
}

}  // namespace kv
