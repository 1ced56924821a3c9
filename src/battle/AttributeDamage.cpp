// Damage of an attack attribute (spells, breath, special attacks): the
// target's rate for the attribute, the party's elemental wards, and the
// resistance roll that may nullify, reflect, absorb or seal it.
#include <array>
#include <cmath>

#include "battle/BattleRules.h"
#include "character/CharacterRules.h"
#include "core/Dice.h"
#include "core/StringTable.h"

namespace kv {

namespace {

constexpr int AttributeMagic = 2;

// The party skill that wards off each element (0: none).
// clang-format off
constexpr std::array<Skill, 15> ElementWard = {
    Skill::None, Skill::None, Skill::None, Skill::None,
    Skill::FireWard,       // 4
    Skill::WaterWard,      // 5
    Skill::WindWard,       // 6
    Skill::EarthWard,      // 7
    Skill::ColdWard,       // 8
    Skill::LightningWard,  // 9
    Skill::PoisonWard,     // 10
    Skill::MindWard,       // 11
    Skill::LightWard,      // 12
    Skill::DarkWard,       // 13
    Skill::None};
// clang-format on

int32_t Warded(Game& game, const Creature& target, int32_t damage, int attribute) {
    if (attribute <= 0 || static_cast<size_t>(attribute) >= AttackAttributes) return damage;
    damage = static_cast<int32_t>(std::nearbyint(
        static_cast<double>(damage) * target.DamageRate[static_cast<size_t>(attribute)] / 100));
    if (static_cast<size_t>(attribute) < ElementWard.size()) {
        const Skill ward = ElementWard[static_cast<size_t>(attribute)];
        if (ward != Skill::None && PartyHasSkill(game, ward))
            damage /= PartyHasSkill(game, Skill::StrongerWards) ? 8 : 4;
    }
    return damage;
}

int ResistAt(const Creature& c, int index) {
    return index >= 0 && static_cast<size_t>(index) < c.Resist.size()
               ? c.Resist[static_cast<size_t>(index)]
               : 0;
}

}  // namespace

int ApplyAttributeDamage(Game& game, Player& player, std::string_view prefix, int32_t damage,
                         Creature& attacker, Creature& target, int attribute, int second,
                         int extraKind, bool noReflect) {
    if (target.Id == 0 || (target.Status & AbsentMask) != 0) return -1;
    if (damage < 0) damage = 0;
    if (IsMonster(attacker) && attribute != 0) {
        damage = Warded(game, target, damage, attribute);
        damage = Warded(game, target, damage, second);
    }
    int result = ResistRoll(game, ResistAt(target, attribute), ResistAt(target, second));
    if (attribute == AttributeMagic) {
        if (HasSkill(target, Skill::SpellReflection)) {
            result = Reflected;
        } else if (HasSkill(target, Skill::SpellSeal) && Dice(game.Rng, 1, target.Luck, 0) > 10) {
            result = Sealed;
        } else if (result == Reflected && HasSkill(attacker, Skill::ReflectionBreaker)) {
            if (HasSkill(attacker, Skill::SureReflectionBreaker) ||
                Dice(game.Rng, 1, attacker.IQ, 0) > 2)
                result = NotResisted;
        }
    }
    if ((target.Status & StatusReflectSpells) != 0) {
        target.Status &= ~StatusReflectSpells;
        result = Reflected;
    }
    if (noReflect && result == Reflected) result = ResistedFirst;

    const std::string head = std::string(prefix) + "\n" + target.Name;
    bool booked = false;  // a death condition books the monster itself
    switch (result) {
        case NotResisted:
            player.Message(std::string(prefix) + "\n" + DamageCreature(target, damage));
            if (extraKind > 0 && target.HP > 0) {
                const int32_t killsBefore = game.Battle.KillCount;
                InflictCondition(game, player, prefix, target, extraKind, 100, true, 0, &attacker);
                booked = game.Battle.KillCount != killsBefore;
            }
            break;
        case ResistedFirst:
            player.Message(head + std::string(ResString(Str::Nullified)));
            break;
        case ResistedSecond:
            player.Message(head + std::string(ResString(Str::Resisted)));
            break;
        case Reflected:
            player.Message(head + std::string(ResString(Str::AttackReflected)) + "\n" +
                           DamageCreature(attacker, damage));
            if (extraKind > 0)
                InflictCondition(game, player, prefix, attacker, extraKind, 100, true, 0, &target);
            if (IsMonster(attacker) && attacker.HP <= 0)
                MonsterKilled(game, attacker, &target, false);
            break;
        case Absorbed:
            player.Message(head + std::string(ResString(Str::AttackAbsorbed)) + "\n" +
                           HealCreature(target, damage));
            break;
        case Sealed:
            player.Message(head + "は\nワルプルギスの夜で封じた");
            break;
        default:
            break;
    }
    if (target.HP <= 0 && !booked) {
        if (IsMonster(target))
            MonsterKilled(game, target, &attacker, false);
        else
            KillCreature(target, false);
    }
    return result;
}

}  // namespace kv
