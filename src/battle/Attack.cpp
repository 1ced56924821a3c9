// The physical attack: how many blows land, how hard, and what the
// defender's defences, drains, condition attacks and critical kills make of
// them. Monsters, summons and characters all fight through these routines.
#include <algorithm>
#include <array>
#include <cmath>

#include "battle/BattleRules.h"
#include "character/CharacterRules.h"
#include "core/Dice.h"
#include "core/StringTable.h"
#include "core/TextFormat.h"

namespace kv {

namespace {

constexpr int ClassNinja = 1024;
constexpr int ClassMonk = 16384;
constexpr int ClassSamurai = 256;
constexpr int ClassLord = 512;
constexpr int KindHPDrain = 28;
constexpr int KindLevelDrain = 30;
constexpr int KindCritical = 31;
constexpr int KindAshes = 32;

// The order in which a monster's blow tries its condition attacks, and a
// weapon's.
constexpr std::array<int, 11> MonsterConditionOrder = {17, 19, 20, 15, 22, 24, 23, 18, 21, 16, 29};
constexpr std::array<int, 7> WeaponConditionOrder = {17, 15, 23, 18, 19, 20, 21};

std::string Text(Str id) {
    return std::string(ResString(id));
}

int AttackAttributeOf(const Creature& attacker, const ItemDef* weapon) {
    const int attribute = IsMonster(attacker) ? attacker.AttackAttribute
                                              : (weapon != nullptr ? weapon->WeaponAttribute : 0);
    return (attribute <= 0 || attribute >= static_cast<int>(AttackAttributes)) ? 1 : attribute;
}

bool Slays(const Creature& defender, const ItemDef* weapon) {
    return weapon != nullptr && IsMonster(defender) && (weapon->GrantFlags2 & defender.Class) != 0;
}

// Round to the nearest whole number, halves to the even neighbour.
int32_t RoundEven(double value) {
    const double r = std::nearbyint(value);
    if (r > INT32_MAX) return INT32_MAX;
    if (r < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(r);
}

int EquippedSlots(const Creature& c) {
    int count = 0;
    for (size_t s = 1; s < c.Items.size(); ++s)
        if (c.Items[s].ItemId != 0 && (c.Items[s].ItemFlags & ItemPositionMask) != 0) ++count;
    return count;
}

// A monster's blow: condition attacks, level drain, the critical, ashes.
void MonsterBlowEffects(Game& game, Player& player, Creature& attacker, Creature& defender,
                        const std::string& hitMessage, int hits) {
    // The condition messages follow the hit message directly.
    const std::string& prefix = hitMessage;
    for (int kind : MonsterConditionOrder)
        InflictCondition(game, player, prefix, defender, kind,
                         attacker.AttackEffects[static_cast<size_t>(kind)], true, 0, &attacker);
    // A blow that killed still drains and still beheads.
    if (!IsMonster(defender) && (defender.Status & StatusDrainWard) == 0 &&
        Dice(game.Rng, 1, 100, 0) < attacker.AttackEffects[KindLevelDrain] &&
        hits < defender.Level && ResistRoll(game, defender.Resist[KindLevelDrain], 0) == 0 &&
        !PartyWardRoll(game, defender, KindLevelDrain)) {
        DrainLevels(game, defender, hits);
        player.Message(defender.Name + "は\nレベルを" + WideNumber(hits) + "下げられた！");
    }
    if (!IsMonster(defender) && (defender.Status & StatusCriticalWard) == 0 &&
        Dice(game.Rng, 1, 100, 0) < attacker.AttackEffects[KindCritical] &&
        !HasSkill(defender, Skill::NoCriticalTaken) &&
        !HasSkill(defender, Skill::CriticalImmunity) &&
        ResistRoll(game, defender.Resist[KindCritical], 0) == 0 &&
        !PartyWardRoll(game, defender, KindCritical)) {
        KillCreature(defender, false);
        player.Message(hitMessage + "\n" + defender.Name + Text(Str::Beheaded));
    }
    InflictCondition(game, player, prefix, defender, KindAshes, attacker.AttackEffects[KindAshes],
                     true, 0, &attacker);
}

// A character's blow: the weapon's condition attacks, then the critical.
void WeaponBlowEffects(Game& game, Player& player, Creature& attacker, Creature& defender,
                       const ItemDef* weapon, const std::string& hitMessage) {
    // The condition messages follow the hit message directly.
    const std::string& prefix = hitMessage;
    if (weapon != nullptr)
        for (int kind : WeaponConditionOrder)
            InflictCondition(game, player, prefix, defender, kind,
                             weapon->ExtraChance[static_cast<size_t>(kind)], true, 0, &attacker);
    // The critical is rolled on a defender the blow killed too: it counts.
    bool critical = false;
    const bool beheads = HasSkill(attacker, Skill::BeheadingBlow);
    if (beheads) {
        if (ResistRoll(game, defender.Resist[KindCritical], 0) != 0 &&
            !HasSkill(attacker, Skill::CriticalThroughResist))
            return;
        const int j = EquippedSlots(attacker);
        int threshold;
        if (HasSkill(attacker, Skill::SureCriticalFirst) && j == 0) {
            threshold = 100;
        } else {
            const int e = attacker.Level <= 100 ? attacker.Level - 3 * j + 22 : 100 - 5 * j;
            threshold = 1 + Dice(game.Rng, 1, e, 0);
        }
        critical = Dice(game.Rng, 1, 100, 1) < threshold;
    } else {
        const int chance = weapon != nullptr ? weapon->ExtraChance[KindCritical] : 0;
        critical = Dice(game.Rng, 1, 100, 0) < chance &&
                   ResistRoll(game, defender.Resist[KindCritical], 0) == 0;
    }
    if (!critical) return;
    KillCreature(defender, false);
    attacker.Criticals += 1;
    player.Message(defender.Name + Text(beheads ? Str::Beheaded : Str::MortalWound));
}

}  // namespace

int StatBonus(int value) {
    if (value <= 12) return 0;
    if (value <= 15) return 1;
    if (value <= 17) return 2;
    return value - 15;
}

const ItemDef* WeaponIn(const Game& game, const Creature& attacker, int slot) {
    if (slot < 1 || static_cast<size_t>(slot) >= attacker.Items.size()) return nullptr;
    const int id = attacker.Items[static_cast<size_t>(slot)].ItemId;
    if (id < 1 || static_cast<size_t>(id) >= game.Items.size()) return nullptr;
    return &game.Items[static_cast<size_t>(id)];
}

HitResult HitRoll(Game& game, const Creature& attacker, const Creature& defender,
                  const ItemDef* weapon) {
    if ((attacker.Status & StatusHidden) != 0) return SureHit;
    if ((attacker.Status & StatusBlind) != 0 && Dice(game.Rng, 1, 6, 0) == 1)
        return HasSkill(attacker, Skill::BlindFighting) ? Hit : Miss;
    if ((defender.Status & StatusHidden) != 0) return Miss;
    const int bonus = weapon != nullptr ? weapon->WeaponBonus : 0;
    const int skillPart = attacker.Level / 3 + StatBonus(attacker.Dexterity + bonus);
    int target;
    if (HasSkill(attacker, Skill::Marksman)) {
        target = 50 - skillPart;
    } else {
        const int base = HasSkill(attacker, Skill::SwiftCaster)
                             ? 40
                             : (HasSkill(defender, Skill::HardToHit) ? 60 : 50);
        target = base - skillPart - defender.BaseAC;
    }
    const int r = Dice(game.Rng, 1, 100, 1);
    if (r == 100) return SureHit;
    if (r <= 3) return HasSkill(attacker, Skill::NoFumbles) ? SureHit : Fumble;
    return r >= target ? Hit : Miss;
}

int32_t WeaponDamage(Game& game, const Creature& attacker, const Creature& defender,
                     const ItemDef* weapon, int& hits) {
    hits = HasSkill(attacker, Skill::AllBlowsLand) ? attacker.AttackCount
                                                   : Dice(game.Rng, 1, attacker.AttackCount, 0);
    if (weapon != nullptr && weapon->WeaponType >= 1 && weapon->WeaponType <= 13 &&
        HasSkill(attacker, WeaponMastery(weapon->WeaponType)))
        ++hits;
    if (PartyHasSkill(game, Skill::PartyExtraHit)) ++hits;

    const bool monster = IsMonster(attacker);
    float damage = 0;
    if (monster) {
        for (int i = 0; i < hits; ++i)
            damage += static_cast<float>(Dice(game.Rng, attacker.DamageDice[0],
                                              attacker.DamageDice[1], attacker.DamageDice[2]));
    } else if (weapon == nullptr) {
        const int bonus = StatBonus(attacker.Str);
        for (int i = 0; i < hits; ++i) {
            int roll;
            if (attacker.Class == ClassNinja)
                roll = Dice(game.Rng, 1, 8, 0);
            else if (attacker.Class == ClassMonk)
                roll = Dice(game.Rng, 1, attacker.Level + 3, 0);
            else
                roll = Dice(game.Rng, 1, 4, 0);
            damage += static_cast<float>(roll + bonus);
        }
    } else {
        hits = std::max<int>(hits, weapon->MinHits);
        const int bonus = StatBonus(attacker.Str + weapon->WeaponBonus);
        for (int i = 0; i < hits; ++i)
            damage += static_cast<float>(Dice(game.Rng, weapon->WeaponDice[0],
                                              weapon->WeaponDice[1], weapon->WeaponDice[2]) +
                                         bonus);
    }
    if (!monster) {
        const auto extraDie = [&] {
            return weapon != nullptr ? Dice(game.Rng, weapon->WeaponDice[0], weapon->WeaponDice[1],
                                            weapon->WeaponDice[2])
                                     : Dice(game.Rng, 0, 0, 0);
        };
        if ((game.PartyBlessings & BlessingSamuraiMight) != 0 && attacker.Class == ClassSamurai)
            damage += static_cast<float>(extraDie());
        if ((game.PartyBlessings & BlessingLordMight) != 0 && attacker.Class == ClassLord)
            damage += static_cast<float>(extraDie());
    }
    if (Slays(defender, weapon)) damage *= 2;

    if ((defender.Status & StatusSleep) != 0 && !HasSkill(defender, Skill::LightSleeper))
        damage *= 2;
    if (HasSkill(attacker, Skill::DesperateStrength) && attacker.HP < attacker.MaxHP / 8)
        damage *= 1.5f;
    if (HasSkill(attacker, Skill::BerserkBlows)) damage *= 1.5f;
    if (HasSkill(defender, Skill::BerserkBlows)) damage *= 2;
    if (HasSkill(attacker, Skill::Strongman) && attacker.Str > 17 && Dice(game.Rng, 1, 8, 0) == 2)
        damage *= 1.5f;
    if ((attacker.Status & StatusPoison) != 0 && !HasSkill(attacker, Skill::PoisonFighting))
        damage = static_cast<float>(RoundEven(damage) / 2);
    const int rateIndex = monster ? 1 : AttackAttributeOf(attacker, weapon);
    damage = damage * static_cast<float>(defender.DamageRate[static_cast<size_t>(rateIndex)]) / 100;
    if (HasSkill(defender, Skill::Toughness))
        damage = damage * static_cast<float>(100 - attacker.Vitality) / 100;
    if (monster && PartyHasSkill(game, Skill::PartyToughness)) damage *= 0.8f;
    if ((defender.Status & StatusHalfDamage) != 0)
        damage = static_cast<float>(RoundEven(damage) / 2);
    if (monster && (game.PartyBlessings & BlessingShield) != 0) damage *= 0.9f;
    if (IsMonster(defender) && weapon != nullptr && weapon->WeaponType >= 0 &&
        static_cast<size_t>(weapon->WeaponType) < defender.WeaponRate.size())
        damage = damage *
                 static_cast<float>(defender.WeaponRate[static_cast<size_t>(weapon->WeaponType)]) /
                 100;
    return RoundEven(damage);
}

void PhysicalAttack(Game& game, Player& player, Creature& attacker, Creature& defender,
                    int weaponSlot) {
    const ItemDef* weapon = IsMonster(attacker) ? nullptr : WeaponIn(game, attacker, weaponSlot);
    const std::string header = attacker.Name + Text(Str::AttackHeader) + "\n";
    int hits = 0;
    const int32_t damage = WeaponDamage(game, attacker, defender, weapon, hits);
    const std::string hitsText = WideNumber(hits) + Text(Str::HitsWord);

    // A reflected blow falls on the attacker; a monster felled so is booked.
    const auto reflect = [&](bool silent) {
        if (silent) {
            player.Message(header + defender.Name + Text(Str::AttackReflected) + "\n" +
                           attacker.Name + "は" + hitsText + WideNumber(damage) +
                           Text(Str::DamageWord));
            DamageCreature(attacker, damage, true);
        } else {
            player.Message(header + defender.Name + Text(Str::AttackReflected) + "\n" +
                           attacker.Name + "は" + hitsText + DamageCreature(attacker, damage));
        }
        if (IsMonster(attacker) && attacker.HP <= 0 && (attacker.Status & StatusDead) != 0)
            MonsterKilled(game, attacker, &defender, false);
    };

    bool goOn = true;
    if (Slays(defender, weapon)) {
        if ((defender.Status & StatusReflectPhysical) != 0) {
            defender.Status &= ~StatusReflectPhysical;
            reflect(true);
            goOn = false;
        }
    } else {
        const int attribute = AttackAttributeOf(attacker, weapon);
        const int result = ResistRoll(game, defender.Resist[static_cast<size_t>(attribute)], 0);
        const bool pierces = HasSkill(attacker, Skill::Strongman);
        if (result == ResistedFirst || result == ResistedSecond) {
            player.Message(header + defender.Name + Text(Str::AttackNullified));
            goOn = false;
        } else if (result == Reflected && !pierces) {
            reflect(false);
            goOn = false;
        } else if (result == Absorbed && !pierces) {
            player.Message(header + defender.Name + Text(Str::AttackAbsorbed) + "\n" +
                           HealCreature(defender, damage));
            goOn = false;
        } else if (result == NotResisted && (defender.Status & StatusReflectPhysical) != 0) {
            defender.Status &= ~StatusReflectPhysical;
            reflect(true);
            goOn = false;
        }
    }

    if (goOn) {
        const HitResult roll = HitRoll(game, attacker, defender, weapon);
        if (roll == Miss) {
            player.Message(header + defender.Name + "に ダメージをあたえられない！");
        } else if (roll == Fumble) {
            player.Message(header + attacker.Name + "は　ころんだ・・・");
        } else if (HasSkill(defender, Skill::CatchBlows) &&
                   Dice(game.Rng, 1, attacker.Agility, 0) > 13) {
            player.Message(header + defender.Name + "は攻撃を受け止めた！");
        } else {
            const std::string hitMessage = header + defender.Name + Text(Str::HitOn) + hitsText +
                                           WideNumber(damage) + Text(Str::DamageWord);
            player.Message(hitMessage);
            DamageCreature(defender, damage, true);
            defender.Status &= ~(StatusSleep | StatusConfusion);
            if ((defender.Status & StatusConditionWard) == 0) {
                if (ResistRoll(game, defender.Resist[KindHPDrain], 0) == 0 &&
                    (Dice(game.Rng, 1, 100, 0) <
                         (weapon != nullptr ? weapon->ExtraChance[KindHPDrain] : 0) ||
                     HasSkill(attacker, Skill::LifeDrain))) {
                    player.Message(attacker.Name + "は\nＨＰを吸収した\n" +
                                   HealCreature(attacker, damage / 6));
                }
                if (IsMonster(attacker))
                    MonsterBlowEffects(game, player, attacker, defender, hitMessage, hits);
                else
                    WeaponBlowEffects(game, player, attacker, defender, weapon, hitMessage);
            }
        }
    }

    if (defender.HP > 0) {
        attacker.Status &= ~StatusHidden;
        return;
    }
    if (IsMonster(defender)) {
        if (HasSkill(attacker, Skill::ExperienceFromKills)) {
            attacker.Exp += defender.Exp;
            defender.Exp = 0;
            defender.Level = 1;
        }
        player.Message(MonsterKilled(game, defender, &attacker, true));
    } else {
        player.Message(KillCreature(defender, true));
    }
    if (Dice(game.Rng, 1, attacker.Agility, 0) < 10) attacker.Status &= ~StatusHidden;
}

}  // namespace kv
