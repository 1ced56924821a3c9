// The spell engine: the casting checks, an item's spell, the table of effect
// codes, and the target helpers every effect shares.
#include "battle/SpellEngine.h"

#include <array>

#include "battle/SpellEffects.h"
#include "character/CharacterRules.h"
#include "character/Inventory.h"
#include "core/Dice.h"
#include "core/StringTable.h"
#include "core/TextFormat.h"

namespace kv {

namespace {

constexpr int32_t StatusCures =
    StatusSleep | StatusFear | StatusBlind | StatusConfusion | StatusCharm;
constexpr int32_t BothPoisons = StatusPoison | StatusDeadlyPoison;
constexpr int ConditionLost = 33;
constexpr int ConditionDeadlyPoison = 34;
constexpr int LastPartySchool = 3;

// Effect code -> routine, value, chance. Any other code (the camp's own,
// such as the map or levitation) does nothing in battle.
// clang-format off
constexpr std::array<EffectRow, 47> SpellEffects = {{
    {2, AttackGroups, 0, 0},
    {15, ConditionOnGroups, 15, 100},  // sleep
    {17, ConditionOnGroups, 17, 100},  // fear
    {18, ConditionOnGroups, 18, 100},  // confusion
    {21, ConditionOnGroups, 21, 100},  // charm
    {23, ConditionOnGroups, 23, 100},  // silence
    {24, ConditionOnGroups, 24, 100},  // blind
    {33, ConditionOnGroups, ConditionLost, 70},
    {80, PoisonGroup, ConditionDeadlyPoison, 100},
    {4, MonsterArmour, 0, 0},
    {5, PartyArmour, 0, 0},
    {7, HealMembers, 0, 0},
    {52, HealMembers, 1, 0},
    {53, FullHeal, 0, 0},
    {74, FullHeal, 1, 0},
    {10, CureMembers, StatusParalysis, 0},
    {43, CureMembers, BothPoisons, 0},
    {60, CureMembers, StatusCures, 0},
    {73, CureMembers, StatusStone, 1},  // the chosen member alone
    {76, CureWhenAfflicted, StatusSleep, 0},
    {77, CureWhenAfflicted, BothPoisons, 0},
    {79, CureWhenAfflicted, StatusBlind, 0},
    {1, Revive, 0, 0},
    {9, FullRevival, 0, 0},
    {83, MassRevival, 0, 0},
    {11, IdentifyGroup, 0, 0},
    {46, RaisePartyShield, 0, 0},
    {47, RaisePartyShield, 1, 0},
    {48, BreakMonsterShields, 0, 0},
    {50, DrainLife, 0, 0},
    {51, Exorcise, 0, 0},
    {55, Chaos, 0, 0},
    {56, Miracle, 0, 0},
    {58, EscapeSpell, 0, 0},
    {63, NearDeath, 0, 0},
    {61, WardMembers, StatusCriticalWard, 1},  // the chosen member
    {62, WardMembers, StatusDrainWard, 1},
    {67, WardMembers, StatusHalfDamage, 0},    // every member
    {69, WardMembers, StatusReflectPhysical, 0},
    {68, WardMembers, StatusReflectSpells, 0},
    {70, WardMembers, StatusConditionWard, 0},
    {65, LingeringArea, 0, 0},
    {72, RestoreSpellPoints, 0, 0},
    {75, HideMembers, 0, 0},
    {78, LowerLuck, 0, 0},
    {81, SetPartyEffect, PartyEffectBetterChest, 0},
    {84, UndoRaises, 0, 0},
}};
// clang-format on

void Fizzle(Player& player, const Creature& caster, const SpellDef& spell) {
    player.Message(CastingPrefix(caster, spell) + "\n" +
                   std::string(ResString(Str::NothingHappened)));
}

bool SparesThePoint(Game& game, const Creature& caster) {
    return HasSkill(caster, Skill::SparingCaster) && Dice(game.Rng, 1, caster.Piety, 0) >= 10;
}

}  // namespace

bool RunEffectRow(std::span<const EffectRow> table, Game& game, Player& player, SpellCast& cast) {
    for (const EffectRow& row : table) {
        if (row.Code != cast.Spell.Effect) continue;
        row.Run(game, player, cast, row.Value, row.Chance);
        return true;
    }
    return false;
}

bool RunSpellEffect(Game& game, Player& player, SpellCast& cast) {
    if (RunEffectRow(SpellEffects, game, player, cast)) return true;
    Say(player, cast, std::string(ResString(Str::NothingHappened)));
    return false;
}

void CastSpell(Game& game, Player& player, Creature& actor) {
    const SpellDef* row = actor.CommandArg != 0 ? SpellRow(game, actor.CommandArg) : nullptr;
    if (row == nullptr) {
        player.Message(actor.Name + "は呪文に失敗した");
        return;
    }
    SpellCast cast{actor,           *row, CastingPrefix(actor, *row), actor.TargetGroup,
                   MagicResistance, false};
    if ((cast.Spell.SpellFlags & SpellInBattle) == 0) {
        Fizzle(player, actor, cast.Spell);
        return;
    }
    // Only the party's four schools can be known; a monster's row typed by
    // name is not, and nothing is read outside the spell book.
    const bool able = cast.Spell.School <= LastPartySchool && KnowsSpell(actor, cast.Spell) &&
                      SpellPointsFor(actor, cast.Spell) >= 1;
    if ((actor.Status & StatusSilence) != 0 && !HasSkill(actor, Skill::SilentCasting)) {
        // The point is lost only if there was one to cast with.
        if (able && !SparesThePoint(game, actor)) SpendSpellPoint(actor, cast.Spell);
        Say(player, cast, "しかし呪文は音にならなかった");
        return;
    }
    if (!able) {
        player.Message(actor.Name + "には\n" + Wide(cast.Spell.Name) + "を唱える魔力がなかった");
        return;
    }
    if (!SparesThePoint(game, actor)) SpendSpellPoint(actor, cast.Spell);
    RunSpellEffect(game, player, cast);
}

void CastSpellTwice(Game& game, Player& player, Creature& actor) {
    CastSpell(game, player, actor);
    const SpellDef* row = SpellRow(game, actor.CommandArg);
    if (row == nullptr || !CanAct(actor) || !game.Battle.ListShown) return;
    bool standing = false;
    switch (row->TargetKind) {
        case 1:
        case 2:
            standing = FirstLivingMember(game, actor.TargetGroup) != 0;
            break;
        case 3:
            for (int g = 1; g <= BattleGroupCount && !standing; ++g)
                standing = FirstLivingMember(game, g) != 0;
            break;
        case 4:
        case 5:
            standing = actor.TargetGroup != 0;
            break;
        default:
            break;
    }
    if (!standing) return;
    player.Message(actor.Name + "は連続詠唱した");
    CastSpell(game, player, actor);
}

void RememberChosenItem(Game& game, const Creature& member) {
    const int slot = RosterSlotOf(game, member);
    if (slot == 0) return;
    std::vector<int32_t>& chosen = game.Battle.ChosenItems;
    if (chosen.size() <= static_cast<size_t>(slot)) chosen.resize(static_cast<size_t>(slot) + 1);
    const int item = member.ItemSlot;
    chosen[static_cast<size_t>(slot)] = item >= 1 && item < static_cast<int>(member.Items.size())
                                            ? member.Items[static_cast<size_t>(item)].ItemId
                                            : 0;
}

bool ChosenItemStillThere(const Game& game, const Creature& member) {
    const auto slot = static_cast<size_t>(RosterSlotOf(game, member));
    const int item = member.ItemSlot;
    if (slot == 0 || slot >= game.Battle.ChosenItems.size() || item < 1 ||
        item >= static_cast<int>(member.Items.size()))
        return false;
    const int32_t id = game.Battle.ChosenItems[slot];
    return id > 0 && member.Items[static_cast<size_t>(item)].ItemId == id;
}

void UseItemInBattle(Game& game, Player& player, Creature& actor) {
    if (!ChosenItemStillThere(game, actor)) {
        player.Message(actor.Name + "は\n" + std::string(ResString(Str::NothingHappened)));
        return;
    }
    const int slot = actor.ItemSlot;
    const int32_t id = actor.Items[static_cast<size_t>(slot)].ItemId;
    if (id >= static_cast<int32_t>(game.Items.size())) return;
    const ItemDef& item = game.Items[static_cast<size_t>(id)];
    // The spell was looked up by the item's code when the item was chosen.
    const SpellDef* row = SpellRow(game, actor.CommandArg);
    if (row == nullptr) {
        player.Message(actor.Name + "は\n" + std::string(ResString(Str::NothingHappened)));
        return;
    }
    if ((row->SpellFlags & SpellInBattle) == 0) {
        Fizzle(player, actor, *row);
        return;
    }
    if (ItemBreaks(game, item.UseBreakChance)) RemoveItemCount(actor, slot, 1);
    SpellCast cast{actor,           *row, CastingPrefix(actor, *row), actor.TargetGroup,
                   MagicResistance, false};
    RunSpellEffect(game, player, cast);
}

// --- target helpers ---

bool IsDown(const Creature& c) {
    return c.Id == 0 || (c.Status & GoneMask) != 0;
}

std::vector<Creature*> LivingMembers(Game& game, int group) {
    std::vector<Creature*> members;
    if (group < 1 || group > BattleGroupCount) return members;
    for (int m = 1; m <= GroupMemberCount; ++m) {
        Creature& c = game.Battle.Monster(group, m);
        if (c.Id > 0 && (c.Status & StatusDead) == 0) members.push_back(&c);
    }
    return members;
}

std::vector<int> SpellGroups(const Game& game, const SpellCast& cast) {
    std::vector<int> groups;
    if (cast.Spell.TargetKind == 3) {
        for (int g = 1; g <= BattleGroupCount; ++g)
            if (game.Battle.Monster(g, 0).Id > 0) groups.push_back(g);
    } else if (cast.Target >= 1 && cast.Target <= BattleGroupCount) {
        groups.push_back(cast.Target);
    }
    return groups;
}

std::vector<Creature*> SpellMembers(Game& game, const SpellCast& cast, bool whole) {
    std::vector<Creature*> members;
    if (!whole) {
        // The chosen member, if he is still in the party.
        for (int i = 1; i <= game.PartyCount; ++i)
            if (game.PartyList[static_cast<size_t>(i)] == cast.Target)
                if (Creature* c = game.Member(i)) members.push_back(c);
        return members;
    }
    for (int i = 1; i <= game.PartyCount; ++i)
        if (Creature* c = game.Member(i)) members.push_back(c);
    return members;
}

bool VoidsSpell(Player& player, const SpellCast& cast, const Creature& member) {
    if ((member.Race & SpellImmuneRace) == 0 || IsMonster(member)) return false;
    const Str text = cast.Song ? Str::NoEffect : Str::SpellNullified;
    Say(player, cast, member.Name + std::string(ResString(text)));
    return true;
}

void ChangeArmour(Game& game, Player& player, const SpellCast& cast, Creature& target, int amount) {
    const int result = ResistRoll(game, target.Resist[MagicResistance], 0);
    Creature* changed = &target;
    if (result == Reflected) {
        changed = &cast.Caster;
    } else if (result != NotResisted) {
        Say(player, cast, std::string(ResString(Str::NothingHappened)));
        return;
    }
    changed->AC += amount;
    const std::string way = amount > 0 ? "上がった" : "下がった";
    std::string text =
        changed->Name + "は\nＡＣが" + WideNumber(amount < 0 ? -amount : amount) + way;
    if (result == Reflected) text = target.Name + "は\n反射した\n" + text;
    Say(player, cast, text);
}

int RosterSlotOf(const Game& game, const Creature& c) {
    for (size_t s = 1; s < game.Roster.size(); ++s)
        if (&game.Roster[s] == &c) return static_cast<int>(s);
    return 0;
}

void Say(Player& player, const SpellCast& cast, const std::string& text) {
    player.Message(cast.Prefix + "\n" + text);
}

}  // namespace kv
