// Hit points and conditions: the routines every other rule wounds, heals,
// kills and afflicts through, so that a message always reads the same.
#include <algorithm>
#include <limits>

#include "character/CharacterRules.h"
#include "core/Names.h"
#include "core/StringTable.h"
#include "core/TextFormat.h"

namespace kv {

namespace {

constexpr int NoEffectText = 1023;     // "は\n効果がなかった"
constexpr int NameBreakText = 1024;    // "は\n"
constexpr int HealedByText = 1025;     // "ポイント回復した"
constexpr int FullyHealedText = 1026;  // "は\n全快した"
constexpr int DamageTakenText = 1093;  // "のダメージをうけた"
constexpr int DiedText = 1066;         // "は\n死んだ・・・"
constexpr int RecoveredText = 1020;    // "回復した"

// Hit points are a Long: sums beyond it stop at its ends instead of wrapping.
int32_t ClampToLong(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

std::string Said(const Creature& creature, int textId) {
    return creature.Name + std::string(ResString(textId));
}

}  // namespace

std::string HealCreature(Creature& creature, int32_t amount, bool quiet) {
    std::string text;
    if ((creature.Status & NoHealMask) != 0) {
        text = Said(creature, NoEffectText);
    } else {
        creature.HP = ClampToLong(static_cast<int64_t>(creature.HP) + amount);
        if (creature.HP < creature.MaxHP) {
            text = Said(creature, NameBreakText) + WideNumber(amount) +
                   std::string(ResString(HealedByText));
        } else {
            creature.HP = creature.MaxHP;
            text = Said(creature, FullyHealedText);
        }
    }
    return quiet ? std::string() : text;
}

std::string DamageCreature(Creature& creature, int32_t amount, bool quiet) {
    std::string text;
    if ((creature.Status & GoneMask) != 0) {
        text = Said(creature, NoEffectText);
    } else {
        creature.HP = ClampToLong(static_cast<int64_t>(creature.HP) - amount);
        text = Said(creature, NameBreakText) + WideNumber(amount) +
               std::string(ResString(DamageTakenText));
        if (creature.HP < 1) text += "\r" + KillCreature(creature, true);
    }
    return quiet ? std::string() : text;
}

std::string KillCreature(Creature& creature, bool withMessage) {
    SetCondition(creature.Status, StatusDead);
    creature.HP = 0;
    return withMessage ? Said(creature, DiedText) : std::string();
}

std::string SetCondition(int32_t& status, int32_t bit) {
    status |= bit;
    // The lost are dead as well, so every rule that looks for the dead sees them.
    if (bit == StatusLost) status |= StatusDead;
    const int textId = ConditionMessageId(bit);
    return textId != 0 ? std::string(ResString(textId)) : std::string();
}

std::string ClearCondition(int32_t& status, int32_t bits) {
    status &= ~bits;
    return std::string(ResString(RecoveredText));
}

bool HasSkill(const Creature& creature, int skill) {
    return skill >= 0 && static_cast<size_t>(skill) < creature.Skills.size() &&
           creature.Skills[static_cast<size_t>(skill)] != 0;
}

}  // namespace kv
