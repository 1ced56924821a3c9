// A summon's turn: it picks a monster group to fight, draws one of its
// action rows and acts with the sides exchanged; its own breath, call for
// help, flight and theft; then regeneration and coming out of hiding.
#include <array>
#include <cmath>

#include "battle/MonsterActions.h"
#include "character/CharacterRules.h"
#include "character/Inventory.h"
#include "core/Dice.h"

namespace kv {

namespace {

constexpr int ActionDraw = 20;
constexpr int LastActionRow = 500;
constexpr int AttributeBreath = 3;

void SummonBreath(Game& game, Player& player, Creature& summon, int attribute) {
    const ElementBreath kind = BreathOf(attribute);
    const std::string prefix = summon.Name + "は\n" + kind.Word + "ブレスを吐いた";
    const int group = RandomRowGroup(game);
    if (group == 0) return;
    const double shield = 1 - 0.2 * game.Battle.BreathShield;
    for (int m = 1; m <= GroupMemberCount; ++m) {
        Creature& c = game.Battle.Monster(group, m);
        if (c.Id == 0 || (c.Status & StatusDead) != 0) continue;
        auto damage = static_cast<int32_t>(
            std::nearbyint(c.DamageRate[AttributeBreath] / 100.0 * (summon.HP / 4) * shield));
        if (Dice(game.Rng, 1, c.Luck, 0) > 10) damage /= 2;
        if (Dice(game.Rng, 1, c.Luck, 0) > 17) damage = 0;
        ApplyAttributeDamage(game, player, prefix, damage, summon, c, AttributeBreath, attribute,
                             kind.Extra, false);
    }
}

void SummonCallsForHelp(Game& game, Player& player, Creature& summon) {
    std::vector<Creature>& slots = game.Battle.Summons;
    const std::string prefix = summon.Name + "は\n助けを呼んだ";
    const std::string noHelp = prefix + "\nしかし助けは来なかった・・・";
    if (Dice(game.Rng, 1, 2, 0) == 1) {
        player.Message(noHelp);
        return;
    }
    for (int s = 1; s <= SummonSlotCount; ++s) {
        Creature& c = slots[static_cast<size_t>(s)];
        if ((c.Status & StatusDead) == 0) continue;
        const std::string name = slots[1].Name;
        c = slots[0];
        c.Name = name;
        c.Status = 0;
        c.Initiative = 0;
        player.Message(prefix + "\n仲間が１体あらわれた");
        return;
    }
    player.Message(noHelp);
}

void SummonFlees(Player& player, Creature& summon) {
    player.Message(summon.Name + "は\n逃げた・・・");
    summon.Status = StatusDead;
}

// The summon picks a monster's pocket for the party.
void SummonSteals(Game& game, Player& player, Creature& summon) {
    const int group = RandomRowGroup(game);
    if (FirstLivingMember(game, group) == 0) return;
    Creature& victim = game.Battle.Monster(group, 1);
    std::string text = summon.Name + "は\n" + victim.Name + "の\nふところを探った\n";
    const bool room = FindPartyMemberWithFreeSlot(game) >= 0;
    if (victim.Items[1].ItemId == 0 || !room || Dice(game.Rng, 1, summon.Dexterity, 0) <= 10) {
        text += "しかし何も持っていなかった";
    } else {
        text += "そしてアイテムを盗んだ";
        // The rare second item, when there is one; else the first.
        const int32_t second = victim.Items[2].ItemId;
        const int32_t item =
            Dice(game.Rng, 1, 30, 0) == 2 && second != 0 ? second : victim.Items[1].ItemId;
        GiveFoundItem(game, player, item, true, FoundMessage::None, true);
    }
    for (int m = 0; m <= GroupMemberCount; ++m) {
        Creature& c = game.Battle.Monster(group, m);
        c.Items[1] = {};
        c.Items[2] = {};
    }
    summon.Status &= ~StatusHidden;
    player.Message(text);
}

void SummonAttack(Game& game, Player& player, const ActionAim& aim) {
    Creature& summon = *aim.Actor;
    if ((summon.Status & (StatusConfusion | StatusCharm)) != 0) {
        // Bewildered, it turns on the party.
        if (Creature* member = PickMonsterTarget(game, summon))
            PhysicalAttack(game, player, summon, *member, 0);
        return;
    }
    PhysicalAttack(game, player, summon, *aim.Single, 0);
}

void Act(Game& game, Player& player, const ActionAim& aim, int row) {
    if (row < 1 || row > LastActionRow || row >= static_cast<int>(game.MonsterActions.size()))
        return;
    const MonsterActionDef& def = game.MonsterActions[static_cast<size_t>(row)];
    Creature& summon = *aim.Actor;
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
            SummonAttack(game, player, aim);
            break;
        case BuiltIn::Spell:
            MonsterCastSpell(game, player, summon, action.School, action.SpellLevel);
            break;
        case BuiltIn::Flee:
            SummonFlees(player, summon);
            break;
        case BuiltIn::CallForHelp:
            SummonCallsForHelp(game, player, summon);
            break;
        case BuiltIn::Breath:
            SummonBreath(game, player, summon, action.Attribute);
            break;
        case BuiltIn::Steal:
            SummonSteals(game, player, summon);
            break;
        case BuiltIn::Special:
            RunSpecialAttack(game, player, aim, row);
            break;
        // A summon does not call up monsters of its own.
        case BuiltIn::Summon:
        case BuiltIn::Nothing:
            break;
    }
}

}  // namespace

void RunSummonAction(Game& game, Player& player, Creature& summon) {
    if (CanAct(summon)) {
        const BattleState& b = game.Battle;
        const int row = b.GroupCount > 0 ? Dice(game.Rng, 1, b.GroupCount, 0) : 0;
        const int group =
            row >= 1 && row <= BattleGroupCount ? b.Rows[static_cast<size_t>(row)] : 0;
        const int member = FirstLivingMember(game, group);
        if (member == 0) {
            // Nobody to fight: the turn is lost.
            summon.Initiative = 0;
            return;
        }
        const ActionAim aim{&summon, 0, group, &game.Battle.Monster(group, member)};
        Act(game, player, aim,
            summon.Actions[static_cast<size_t>(Dice(game.Rng, 1, ActionDraw, 0))]);
    }
    if ((summon.Status & GoneMask) == 0) {
        if (summon.HP <= summon.MaxHP)
            summon.HP +=
                PartyHasSkill(game, Skill::SummonRegeneration) ? 2 * summon.Regen : summon.Regen;
        if ((summon.Status & StatusHidden) != 0 && Dice(game.Rng, 1, 4, 0) == 1) {
            player.Message(summon.Name + "は\n\nあらわれた");
            summon.Status &= ~StatusHidden;
        }
    }
    summon.Initiative = 0;
}

}  // namespace kv
