// The built-in monster actions other than the plain attack and the special
// attacks: a spell of a school and level, breath, calling for help, flight,
// stealing and running, and summoning a new group.
#include <algorithm>
#include <array>
#include <cmath>

#include "battle/MonsterActions.h"
#include "battle/MonsterSpell.h"
#include "character/CharacterRules.h"
#include "character/Equipment.h"
#include "character/Inventory.h"
#include "character/RaceDefences.h"
#include "core/Dice.h"
#include "core/StringTable.h"
#include "core/TextFormat.h"

namespace kv {

namespace {

constexpr int MonsterSpellRows = 81;
constexpr uint8_t MonsterSpellFlag = 4;
constexpr int AttributeBreath = 3;
constexpr int FirstSummonedGroupRow = 90;
constexpr int SummonedDefinitionOffset = 74;  // MonsterAttributeTable: row x of the third column
constexpr int StoleAndRanText = 55;           // of the special moves' texts

constexpr std::array<ElementBreath, 6> ElementBreaths = {{{4, "炎の", 0},
                                                          {8, "吹雪の", 19},
                                                          {9, "稲妻の", 20},
                                                          {10, "酸の", 22},
                                                          {12, "光の", 0},
                                                          {13, "闇の", 0}}};

// The breath before the member's own defences: his breath rate of half the
// monster's hit points, less a fifth for each level of the shield.
int32_t BreathDamage(const Creature& monster, const Creature& target, int shield) {
    return static_cast<int32_t>(std::nearbyint(target.DamageRate[AttributeBreath] / 100.0 *
                                               (monster.HP / 2) * (1 - 0.2 * shield)));
}

}  // namespace

ElementBreath BreathOf(int attribute) {
    for (const ElementBreath& b : ElementBreaths)
        if (b.Attribute == attribute) return b;
    return {attribute, "", 0};
}

int ChooseMonsterSpell(Game& game, int school, int level) {
    std::vector<int> candidates;
    for (int s = 1; s <= MonsterSpellRows && s < static_cast<int>(game.Spells.size()); ++s) {
        const SpellDef& spell = game.Spells[static_cast<size_t>(s)];
        if (spell.School == school && spell.SpellLevel == level &&
            (spell.SpellFlags & MonsterSpellFlag) != 0)
            candidates.push_back(s);
    }
    if (candidates.empty()) return 0;
    return candidates[static_cast<size_t>(
        Dice(game.Rng, 1, static_cast<int>(candidates.size()), -1))];
}

void MonsterCastSpell(Game& game, Player& player, Creature& caster, int school, int level,
                      int summon) {
    // Data without a spell for the school and level leaves the caster idle.
    if (const int spell = ChooseMonsterSpell(game, school, level); spell != 0)
        CastMonsterSpell(game, player, caster, spell, summon);
}

void MonsterBreath(Game& game, Player& player, const ActionAim& aim, int attribute) {
    Creature& monster = *aim.Actor;
    const ElementBreath kind = BreathOf(attribute);
    const std::string prefix = monster.Name + "は\n" + kind.Word + "ブレスを吐いた";
    const int shield = game.Battle.PartyBreathShield;
    if (aim.Summon != 0) {
        // The summons take the breath in the party's place.
        for (int s = 1; s <= SummonSlotCount; ++s) {
            Creature& c = game.Battle.Summons[static_cast<size_t>(s)];
            if (c.Id == 0 || (c.Status & GoneMask) != 0) continue;
            ApplyAttributeDamage(game, player, prefix, BreathDamage(monster, c, shield), monster, c,
                                 AttributeBreath, attribute, kind.Extra, false);
        }
        return;
    }
    const bool partyHalves = PartyHasSkill(game, Skill::PartyHalvesAreaDamage);
    for (int i = 1; i <= game.PartyCount; ++i) {
        Creature* c = game.Member(i);
        if (c == nullptr || (c->Status & GoneMask) != 0) continue;
        game.CurrentChar = game.PartyList[static_cast<size_t>(i)];
        if (HasSkill(*c, Skill::Untouchable)) {
            player.Message(prefix + "\n" + c->Name + std::string(ResString(Str::AttackNullified)));
            continue;
        }
        int32_t damage = BreathDamage(monster, *c, shield);
        if (HasSkill(*c, Skill::QuarterAreaDamage))
            damage /= 4;
        else if (HasSkill(*c, Skill::HalfAreaDamage))
            damage /= 2;
        if (partyHalves) damage /= 2;
        if (Dice(game.Rng, 1, c->Luck, 0) > 10) damage /= 2;
        if (Dice(game.Rng, 1, c->Luck, 0) > 17) damage = 0;
        ApplyAttributeDamage(game, player, prefix, damage, monster, *c, AttributeBreath, attribute,
                             kind.Extra, false);
    }
}

void CallForHelp(Game& game, Player& player) {
    BattleState& b = game.Battle;
    const int group = b.ActingGroup;
    if (group < 1 || group > BattleGroupCount) return;
    const std::string prefix = b.Monster(group, 1).Name + "は\n助けを呼んだ";
    const std::string noHelp = prefix + "\nしかし助けは来なかった・・・";
    if (Dice(game.Rng, 1, 2, 0) == 1) {
        player.Message(noHelp);
        return;
    }
    for (int m = 1; m <= GroupMemberCount; ++m) {
        Creature& c = b.Monster(group, m);
        if ((c.Status & StatusDead) == 0) continue;
        c = b.Monster(group, 0);
        c.Name = b.Monster(group, 1).Name;
        c.Status = 0;
        c.Initiative = 0;
        player.Message(prefix + "\n仲間が１体あらわれた");
        return;
    }
    player.Message(noHelp);
}

void Flee(Game& game, Player& player, Creature& monster) {
    const BattleState& b = game.Battle;
    const Creature& first = b.ActingGroup >= 1 && b.ActingGroup <= BattleGroupCount
                                ? b.Monster(b.ActingGroup, 1)
                                : monster;
    player.Message(first.Name + "は\n逃げた・・・");
    monster.Status = StatusDead;
}

void StealAndRun(Game& game, Player& player, Creature& monster) {
    if (PartyHasSkill(game, Skill::NoTheft) || game.PartyCount < 1) return;
    Creature* victim = game.Member(Dice(game.Rng, 1, game.PartyCount, 0));
    if (victim == nullptr) return;
    // A monster of little wits takes only what is not worn.
    const bool clever = monster.IQ >= 10;
    int slot = 0;
    for (int s = 1; s <= 15 && slot == 0; ++s) {
        const InventorySlot& item = victim->Items[static_cast<size_t>(s)];
        const ItemDef* def = FindItem(game, item.ItemId);
        if (def == nullptr || KindOf(*def) == ItemKind::EventItem) continue;
        if (clever || (item.ItemFlags & ItemPositionMask) == 0) slot = s;
    }
    if (slot == 0) return;
    RemoveItemCount(*victim, slot, 1);
    if (clever) {
        ResetRaceDefences(game, *victim);
        ApplyEquipment(game, *victim);
    }
    monster.Status = StatusDead;
    player.Message(monster.Name + "は\n\n" + victim->Name +
                   std::string(ResString(Str::SpecialMoves, StoleAndRanText)));
}

void SummonGroup(Game& game, Player& player, Creature& monster, int row) {
    BattleState& b = game.Battle;
    const int x = Dice(game.Rng, 1, 6, 6 * (row - FirstSummonedGroupRow));
    const size_t at = static_cast<size_t>(x + SummonedDefinitionOffset);
    if (at >= game.MonsterAttributeTable.size()) return;
    const int id = game.MonsterAttributeTable[at];
    if (id < 1 || id >= static_cast<int>(game.Monsters.size())) return;
    int group = 0;
    for (int g = 1; g <= BattleGroupCount && group == 0; ++g)
        if (FirstLivingMember(game, g) == 0) group = g;
    if (group == 0) return;
    const Creature& def = game.Monsters[static_cast<size_t>(id)];
    const int n = std::clamp<int>(
        Dice(game.Rng, def.GroupDice[0], def.GroupDice[1], def.GroupDice[2]), 0, GroupMemberCount);
    player.Message(monster.Name + "は召喚した\n" + def.SubName + "が" + WideNumber(n) +
                   "体あらわれた");
    for (int m = 0; m <= GroupMemberCount; ++m) {
        Creature& c = b.Monster(group, m);
        c = Creature{};
        c.Status = StatusDead;
    }
    // Nothing lingers from the group that held the number before.
    b.GroupAreaEffects[static_cast<size_t>(group)] = {};
    for (int m = 0; m <= n; ++m) {
        Creature& c = b.Monster(group, m);
        c = def;
        c.HP = Dice(game.Rng, def.HPDice[0], def.HPDice[1], def.HPDice[2]);
        c.MaxHP = c.HP;
        c.Initiative = 0;
    }
    // The template never acts.
    b.Monster(group, 0).Status = StatusDead;
    // The list gains the group's row at once, so the rest of the round can
    // draw it; its text comes with the rebuild at the round's end.
    if (b.GroupCount < BattleGroupCount) {
        b.GroupCount += 1;
        b.Rows[static_cast<size_t>(b.GroupCount)] = static_cast<int16_t>(group);
    }
}

}  // namespace kv
